// The hero: a swordsman in teal and steel, facing right.

#include "drawings.h"

#include "palette.h"

namespace {

const Build kHeroBuild{50, 7, 13, 26, 24, 37, 37, 15, {3, 43}, {-4, 44}, {2, 2}, {-3, 2}, 2};

} // namespace

void drawHero(Painter& pt, const Pose& p)
{
    const Build& b = kHeroBuild;
    Skel s = solve(p, b);
    const double far = 0.72;

    // Cape, behind everything, trailing away from the front.
    double sw = p.sway;
    pt.part({s.T(-2, 47), s.T(-9, 44), s.T(-17 - sw * 0.5, 20), s.T(-24 - sw, -6), s.T(-18 - sw, -12),
             s.T(-10 - sw * 0.4, -14), s.T(-4, 10), s.T(0, 40)},
            kNavy, 0.8);

    // Far arm and leg, in shade.
    pt.limb(s.shF, s.elF, 6, 5, dim(kTeal, far));
    pt.limb(s.elF, s.haF, 4.6, 4.2, dim(kSkin, far));
    pt.limb(lerp(s.elF, s.haF, 0.2), lerp(s.elF, s.haF, 0.72), 5.2, 5, dim(kSteel, far));
    pt.dot(s.haF, 5, kInk);
    pt.blob(s.haF, 4.2, 4.2, 0, dim(kSkin, far));
    pt.limb(s.hpF, s.knF, 7.5, 6, dim(kCloth, far));
    pt.part(footShape(s.anF, p.footF, b.foot, 6), dim(kLeather, far));
    pt.limb(s.knF, s.anF + Vec{0, -1}, 6.4, 5.4, dim(kLeather, far));

    // Near leg.
    pt.limb(s.hpN, s.knN, 7.5, 6, kCloth);
    pt.part(footShape(s.anN, p.footN, b.foot, 6), kLeather);
    pt.limb(s.knN, s.anN + Vec{0, -1}, 6.4, 5.4, kLeather);
    pt.limb(lerp(s.knN, s.anN, 0.0), lerp(s.knN, s.anN, 0.18), 6.8, 6.4, kLeather);

    // Tunic skirt over the thighs, then the body.
    Vec kn = lerp(s.hpN, s.knN, 0.5), kf = lerp(s.hpF, s.knF, 0.5);
    pt.part({s.T(11, 8), s.T(12, 0), kn + s.fwd * 11 + Vec{0, 4}, lerp(kn, kf, 0.5) + Vec{0, 7},
             kf + s.fwd * -11 + Vec{-sw * 0.3, 4}, s.T(-11, -1), s.T(-10, 8)},
            kTeal, 0.8);
    double br = p.breath;
    pt.part({s.T(-9, 6), s.T(-11, 22), s.T(-10, 38), s.T(-6, 47 + br), s.T(4, 49 + br), s.T(11, 42 + br),
             s.T(13 + br * 0.8, 32), s.T(11, 18), s.T(10, 6)},
            kTeal, 0.78);
    // Breastplate.
    pt.part({s.T(-6, 18), s.T(-7, 34), s.T(-3, 44 + br), s.T(6, 45 + br), s.T(11.5 + br * 0.8, 34), s.T(10, 22),
             s.T(4, 16)},
            kSteel, 0.7, true);
    // Belt with buckle.
    pt.part({s.T(-11, 6), s.T(-10, 12), s.T(11, 12), s.T(12, 5)}, kLeather, 0.8);
    pt.part({s.T(6, 5.5), s.T(6, 12.5), s.T(11.5, 12.5), s.T(12, 5.5)}, kGold, 0.6, true);

    // Head: neck, face, hair, headband.
    pt.limb(s.neck + s.up * -2, s.neck + s.up * (b.neck + 2), 5, 4.6, kSkin);
    pt.blob(s.head, b.head * 0.92, b.head, p.lean + p.nod, kSkin);
    pt.part({s.H(2, 5), s.H(6, 8), s.H(12, 5), s.H(13.5, -2), s.H(12, -6), s.H(9, -5), s.H(8, -1), s.H(4, 4)}, kSkin,
            0.8); // nose and jaw side of the face
    pt.part({s.H(-13, 2), s.H(-12, 9), s.H(-6, 14), s.H(4, 14.5), s.H(11, 9), s.H(12, 5), s.H(4, 7), s.H(0, 3),
             s.H(-3, -4), s.H(-8, -8), s.H(-13, -7), s.H(-15, -2)},
            kHair, 0.8);
    pt.part({s.H(-12, 6), s.H(-11, 9.5), s.H(12, 7.5), s.H(12, 4)}, kTeal, 0.7); // headband
    pt.part({s.H(-12, 6.5), s.H(-19 - sw * 0.6, 3), s.H(-20 - sw * 0.6, -1), s.H(-12, 2.5)}, kTeal, 0.8);
    pt.dot(s.H(6.5, 1.5), 1.7, kInk);
    pt.dot(s.H(7.1, 2.0), 0.55, {240, 240, 240});
    pt.part(Painter::ellipse(s.H(-3, 1), 2.6, 3.4, p.lean + p.nod, 16), kSkin, 0.7); // ear

    // Near arm with the sword: blade first so the fist closes over the grip.
    Vec h = s.haN;
    Vec wd = down(restOnFloor(h, p.weapon, 62));
    Vec wn = perp(wd);
    pt.part(
        {h + wd * 7 + wn * 3.2, h + wd * 52 + wn * 3.0, h + wd * 61, h + wd * 52 + wn * -3.0, h + wd * 7 + wn * -3.2},
        kSteel, 0.55, true);
    pt.line(h + wd * 9, h + wd * 48, 1.1, kSteel.shade); // fuller
    pt.part({h + wd * 4 + wn * 8, h + wd * 7.5 + wn * 8.5, h + wd * 7.5 + wn * -8.5, h + wd * 4 + wn * -8}, kGold, 0.6,
            true); // cross-guard
    pt.limb(h + wd * -9, h + wd * 4, 2.2, 2.2, kLeather);
    pt.blob(h + wd * -10.5, 3, 3, 0, kGold, true);

    pt.limb(s.shN, s.elN, 6.2, 5.2, kTeal);
    pt.limb(s.elN, s.haN, 4.8, 4.3, kSkin);
    pt.limb(lerp(s.elN, s.haN, 0.2), lerp(s.elN, s.haN, 0.75), 5.4, 5.2, kSteel);
    pt.blob(s.shN + s.up * 1, 8, 6.5, p.lean + 0.1, kSteel, true); // pauldron
    pt.blob(h, 4.6, 4.4, 0, kSkin);
}

std::vector<Action> heroActions()
{
    Pose stand;
    stand.hipX = -30;
    stand.lean = 0.06;
    stand.nod = 0.02;
    stand.armN0 = 0.45;
    stand.armN1 = 1.95;
    stand.weapon = 2.55;
    stand.armF0 = 0.25;
    stand.armF1 = 1.1;
    stand.legN0 = 0.38;
    stand.legN1 = -0.02;
    stand.legF0 = -0.2;
    stand.legF1 = -0.3;
    stand.footF = 0.05;
    stand.sway = 2;

    Action idle{"Idle", -1, 0, {}};
    for (int k = 0; k < 8; ++k) {
        double ph = 2 * kPi * k / 8, b = 0.5 - 0.5 * std::cos(ph);
        Pose p = stand;
        p.breath = 1.8 * b;
        p.legN0 += 0.06 * b;
        p.legN1 -= 0.05 * b;
        p.legF0 -= 0.03 * b;
        p.armN0 += 0.05 * b;
        p.armN1 -= 0.04 * b;
        p.weapon -= 0.07 * b;
        p.armF1 += 0.06 * b;
        p.nod -= 0.04 * b;
        p.sway = 2 + 2.5 * std::sin(ph);
        idle.frames.push_back({p, 140});
    }

    Pose wind = stand; // sword raised high behind the head
    wind.hipX = -36;
    wind.lean = -0.12;
    wind.nod = 0.05;
    wind.armN0 = 3.0;
    wind.armN1 = 3.35;
    wind.weapon = 3.75;
    wind.armF0 = 0.6;
    wind.armF1 = 1.5;
    wind.legN0 = 0.3;
    wind.legF0 = -0.25;
    wind.legF1 = -0.35;
    wind.sway = 0;
    Pose strike = stand; // lunge with the blade cutting down in front
    strike.hipX = -22;
    strike.lean = 0.36;
    strike.nod = -0.2;
    strike.armN0 = 1.2;
    strike.armN1 = 0.95;
    strike.weapon = 0.75;
    strike.armF0 = -0.9;
    strike.armF1 = -0.5;
    strike.legN0 = 0.95;
    strike.legN1 = 0.1;
    strike.legF0 = -0.45;
    strike.legF1 = -0.68;
    strike.footF = 0.45;
    strike.sway = 12;
    Action attk{"Attk", 0, 0, {}};
    attk.frames.push_back({blend(stand, wind, 0.6), 70});
    attk.frames.push_back({wind, 80});
    attk.frames.push_back({blend(wind, strike, 0.55), 60});
    attk.frames.push_back({strike, 140});
    Pose back = blend(strike, stand, 0.55); // recovering to guard, blade raised
    back.armN1 = 1.6;
    back.weapon = 2.1;
    attk.frames.push_back({back, 100});

    Pose hurt = stand; // knocked back, head thrown back, guard lost
    hurt.hipX = -40;
    hurt.lean = -0.32;
    hurt.nod = -0.35;
    hurt.armN0 = 0.9;
    hurt.armN1 = 2.6;
    hurt.weapon = 3.2;
    hurt.armF0 = 0.9;
    hurt.armF1 = 1.9;
    hurt.legN0 = 0.55;
    hurt.legN1 = 0.2;
    hurt.legF0 = -0.05;
    hurt.legF1 = -0.45;
    hurt.sway = -3;

    Pose buckle = hurt; // knees give way
    buckle.hipX = -32;
    buckle.lean = -0.1;
    buckle.nod = 0.3;
    buckle.armN0 = 0.5;
    buckle.armN1 = 1.0;
    buckle.weapon = 2.2;
    buckle.armF0 = 0.2;
    buckle.armF1 = 0.4;
    buckle.legN0 = 1.25;
    buckle.legN1 = -0.25;
    buckle.legF0 = 0.9;
    buckle.legF1 = -0.6;
    buckle.footF = 0.4;
    buckle.sway = 2;
    Pose lying = buckle; // flat on the back, knees up, sword dropped beside
    lying.hipX = 5;
    lying.lean = -1.5;
    lying.nod = -0.15;
    lying.armN0 = 1.5;
    lying.armN1 = 1.6;
    lying.weapon = -1.55;
    lying.armF0 = -0.4;
    lying.armF1 = 0.9;
    lying.legN0 = 2.75;
    lying.legN1 = 0.2;
    lying.footN = 0;
    lying.legF0 = 2.45;
    lying.legF1 = 0.45;
    lying.footF = 0.2;
    lying.sway = -4;
    Pose bounce = lying;
    bounce.lift = 3;
    bounce.nod = 0.1;
    return {idle, attk, painAction(stand, hurt, 0), deathAction(hurt, buckle, lying, bounce, 0)};
}
