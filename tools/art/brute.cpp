// The brute: a hunched horned giant with a stone maul, facing left.

#include "drawings.h"

#include "palette.h"

namespace {

const Build kBruteBuild{56, 3, 17, 36, 34, 30, 28, 20, {4, 48}, {-9, 50}, {5, 2}, {-7, 2}, 10};

} // namespace

void drawBrute(Painter& pt, const Pose& p)
{
    const Build& b = kBruteBuild;
    Skel s = solve(p, b);
    const double far = 0.7;
    double br = p.breath;

    auto maul = [&](Vec h, double ang, bool farSide) {
        Vec wd = down(restOnFloor(h, ang, 76)), wn = perp(wd);
        double k = farSide ? far : 1;
        pt.limb(h + wd * -16, h + wd * 52, 3.4, 4.2, dim(kLeather, k));
        pt.part({h + wd * 46 + wn * -14, h + wd * 46 + wn * 14, h + wd * 68 + wn * 13, h + wd * 68 + wn * -13},
                dim(kStone, k), 0.72);
        pt.part({h + wd * 52 + wn * -15, h + wd * 52 + wn * 15, h + wd * 57 + wn * 15, h + wd * 57 + wn * -15},
                dim(kIron, k), 0.6, true);
        pt.part({h + wd * 68 + wn * -5, h + wd * 68 + wn * 5, h + wd * 76}, dim(kBone, k), 0.6); // spike
    };

    // Far limbs in shade.
    pt.limb(s.hpF, s.knF, 14, 11, dim(kHide, far));
    pt.part(footShape(s.anF, p.footF, b.foot, 7), dim(kHide, far));
    pt.limb(s.knF, s.anF, 11, 9.5, dim(kHide, far));
    pt.limb(s.shF, s.elF, 12, 10, dim(kHide, far));
    pt.limb(s.elF, s.haF, 10, 11, dim(kHide, far));
    pt.blob(s.haF, 10, 9, 0, dim(kHide, far));

    // Near leg.
    pt.limb(s.hpN, s.knN, 14.5, 11.5, kHide);
    pt.part(footShape(s.anN, p.footN, b.foot, 7), kHide);
    pt.limb(s.knN, s.anN, 11.5, 9.5, kHide);
    pt.limb(lerp(s.knN, s.anN, 0.45), lerp(s.knN, s.anN, 0.75), 11.4, 10.2, kIron); // shin band

    // Hunched body: back hump, chest, belly, loincloth.
    pt.part({s.T(-22, 0), s.T(-31, 22), s.T(-33, 44), s.T(-24, 62 + br), s.T(-8, 69 + br), s.T(12, 64 + br),
             s.T(26, 50), s.T(31 + br, 32), s.T(28, 14), s.T(18, -2)},
            kHide, 0.8);
    pt.blob(s.T(13 + br * 0.5, 22), 19 + br * 0.6, 23, p.lean + 0.2, kBelly);
    pt.line(s.T(6, 36), s.T(24, 40), 1.3, kBelly.shade); // chest fold
    pt.part({s.T(-19, 6), s.T(-17, -14 - p.sway * 0.3),
             lerp(lerp(s.hpN, s.knN, 0.55), lerp(s.hpF, s.knF, 0.55), 0.5) + Vec{0, 8}, s.T(17, -12), s.T(18, 6)},
            kMoss, 0.8);
    pt.part({s.T(-20, 1), s.T(-20, 9), s.T(19, 9), s.T(19, 1)}, kLeather, 0.8);
    pt.blob(s.T(9, 5), 3.6, 3.6, 0, kBone, true);

    // Head: low and thrust forward, with horns, brow, glowing eye and tusks.
    pt.part({s.H(-11, -13), s.H(-15, 2), s.H(-9, 15), s.H(8, 15), s.H(19, 7), s.H(23, -4), s.H(21, -12), s.H(12, -16)},
            kHide, 0.78);
    pt.part({s.H(-6, 10), s.H(-12, 20), s.H(-22, 27), s.H(-16, 18), s.H(-12, 8)}, kBone, 0.7); // horn
    pt.part({s.H(4, 12), s.H(8, 22), s.H(2, 30), s.H(14, 22), s.H(12, 11)}, kBone, 0.7);       // horn
    pt.part({s.H(4, 6), s.H(18, 7), s.H(21, 2), s.H(6, 1)}, dim(kHide, 0.8), 0.8);             // brow
    pt.fill(Painter::ellipse(s.H(13, 1.5), 3.4, 2.0, p.lean + p.nod - 0.2, 16), {206, 244, 86});
    pt.dot(s.H(14, 1.4), 1.0, {255, 255, 220});
    pt.part({s.H(14, -8), s.H(17, -3), s.H(21, -1), s.H(18, -8)}, kBone, 0.6); // tusk
    pt.part({s.H(6, -10), s.H(8, -4), s.H(11, -3), s.H(10, -10)}, dim(kBone, 0.85), 0.6);

    // Shoulder armour with spikes, near arm, maul in the fist.
    maul(s.haN, p.weapon, false);
    pt.limb(s.shN, s.elN, 13, 11, kHide);
    pt.limb(s.elN, s.haN, 11, 12.5, kHide);
    pt.limb(lerp(s.elN, s.haN, 0.55), lerp(s.elN, s.haN, 0.8), 12.4, 12.8, kIron); // bracer
    pt.blob(s.haN, 11, 10, 0, kHide);
    Vec sh = s.shN + s.up * 4;
    pt.part({sh + s.up * 12 + s.fwd * -4, sh + s.up * 22 + s.fwd * -2, sh + s.up * 13 + s.fwd * 3}, kBone, 0.6);
    pt.part({sh + s.up * 10 + s.fwd * 6, sh + s.up * 19 + s.fwd * 12, sh + s.up * 9 + s.fwd * 12}, kBone, 0.6);
    pt.blob(sh, 16, 11, p.lean + 0.15, kMoss, true);
    pt.line(sh + s.fwd * -12 + s.up * -2, sh + s.fwd * 12 + s.up * -2, 1.2, kMoss.shade);
}

std::vector<Action> bruteActions()
{
    Pose stand;
    stand.hipX = -24;
    stand.lean = 0.32;
    stand.nod = -0.3;
    stand.armN0 = 0.55;
    stand.armN1 = 2.3;
    stand.weapon = 3.75; // maul resting on the shoulder
    stand.armF0 = 0.35;
    stand.armF1 = 0.75;
    stand.legN0 = 0.45;
    stand.legN1 = -0.1;
    stand.legF0 = -0.25;
    stand.legF1 = -0.2;

    Action idle{"Idle", -1, 0, {}};
    for (int k = 0; k < 6; ++k) {
        double ph = 2 * kPi * k / 6, b = 0.5 - 0.5 * std::cos(ph);
        Pose p = stand;
        p.breath = 2.6 * b;
        p.lean -= 0.04 * b;
        p.nod += 0.03 * b;
        p.legN0 += 0.07 * (1 - b);
        p.legN1 -= 0.07 * (1 - b);
        p.armF1 += 0.1 * b;
        p.weapon -= 0.05 * b;
        p.sway = 3 * std::sin(ph);
        idle.frames.push_back({p, 150});
    }

    Pose raise = stand; // maul lifted high overhead
    raise.hipX = -30;
    raise.lean = 0.05;
    raise.nod = -0.25;
    raise.armN0 = 2.7;
    raise.armN1 = 3.1;
    raise.weapon = 3.7;
    raise.armF0 = 0.1;
    raise.armF1 = 1.2;
    Pose swing = raise; // maul coming over the top
    swing.hipX = -40;
    swing.lean = 0.4;
    swing.armN0 = 2.45;
    swing.armN1 = 2.7;
    swing.weapon = 2.6;
    swing.legN0 = 0.7;
    Pose smash = stand; // lunging blow, maul driven down in front
    smash.hipX = -56;
    smash.lean = 0.55;
    smash.nod = -0.55;
    smash.armN0 = 0.55;
    smash.armN1 = 0.4;
    smash.weapon = 0.05;
    smash.armF0 = -0.4;
    smash.armF1 = -0.1;
    smash.legN0 = 0.75;
    smash.legN1 = 0.05;
    smash.legF0 = -0.05;
    smash.legF1 = -0.12;
    smash.footF = 0.3;
    smash.sway = 6;
    Action attk{"Attk", 0, 0, {}};
    attk.frames.push_back({blend(stand, raise, 0.55), 80});
    attk.frames.push_back({raise, 90});
    attk.frames.push_back({swing, 60});
    attk.frames.push_back({smash, 150});
    Pose lift = blend(smash, stand, 0.6); // hauling the maul back up
    lift.armN1 = 2.0;
    lift.weapon = 3.3;
    attk.frames.push_back({lift, 100});

    Pose hurt = stand; // reels back, maul swinging away
    hurt.hipX = -30;
    hurt.lean = 0.0;
    hurt.nod = -0.55;
    hurt.armN0 = 0.4;
    hurt.armN1 = 1.5;
    hurt.weapon = 3.3;
    hurt.armF0 = 0.9;
    hurt.armF1 = 1.6;
    hurt.legN0 = 0.55;
    hurt.legN1 = 0.15;
    hurt.legF0 = -0.1;
    hurt.legF1 = -0.35;
    hurt.sway = -4;

    Pose kneel = hurt; // drops to its knees
    kneel.hipX = -24;
    kneel.lean = 0.35;
    kneel.nod = 0.2;
    kneel.armN0 = 0.3;
    kneel.armN1 = 0.2;
    kneel.weapon = -0.3;
    kneel.armF0 = 0.1;
    kneel.armF1 = 0.0;
    kneel.legN0 = 1.4;
    kneel.legN1 = -0.6;
    kneel.legF0 = 1.1;
    kneel.legF1 = -1.1;
    kneel.footN = 0.5;
    kneel.footF = 0.8;
    Pose lying = kneel; // toppled onto its back, legs folded
    lying.hipX = 17;
    lying.lean = -1.45;
    lying.nod = 0.3;
    lying.armN0 = 1.5;
    lying.armN1 = 1.6;
    lying.weapon = -1.45;
    lying.armF0 = 1.45;
    lying.armF1 = 1.2;
    lying.legN0 = 2.75;
    lying.legN1 = 0.35;
    lying.footN = 0;
    lying.legF0 = 2.4;
    lying.legF1 = 0.6;
    lying.footF = 0.1;
    Pose bounce = lying;
    bounce.lift = 4;
    // Heavier: it settles and falls more slowly.
    return {idle, attk, painAction(stand, hurt, 10), deathAction(hurt, kneel, lying, bounce, 10)};
}
