#include "skeleton.h"

#include <algorithm>
#include <cmath>

Pose blend(const Pose& a, const Pose& b, double t)
{
    Pose p;
    double Pose::*fields[] = {&Pose::hipX,  &Pose::lean,  &Pose::nod,    &Pose::breath, &Pose::armN0, &Pose::armN1,
                              &Pose::armF0, &Pose::armF1, &Pose::legN0,  &Pose::legN1,  &Pose::legF0, &Pose::legF1,
                              &Pose::footN, &Pose::footF, &Pose::weapon, &Pose::sway,   &Pose::lift,  &Pose::flash};
    for (auto f : fields)
        p.*f = lerp(a.*f, b.*f, t);
    return p;
}

Skel solve(const Pose& p, const Build& b)
{
    Skel s;
    s.up = {std::sin(p.lean), -std::cos(p.lean)};
    s.fwd = {std::cos(p.lean), std::sin(p.lean)};
    s.hip = {p.hipX, 0};
    for (int pass = 0; pass < 2; ++pass) {
        s.neck = s.T(0, b.torso);
        double ha = p.lean + p.nod;
        s.hu = {std::sin(ha), -std::cos(ha)};
        s.hf = {std::cos(ha), std::sin(ha)};
        s.head = s.neck + s.hu * (b.neck + b.head * 0.75) + s.hf * b.headFwd;
        s.shN = s.T(b.shoulderN.x, b.shoulderN.y + p.breath);
        s.shF = s.T(b.shoulderF.x, b.shoulderF.y + p.breath);
        s.elN = s.shN + down(p.armN0) * b.upper;
        s.haN = s.elN + down(p.armN1) * b.fore;
        s.elF = s.shF + down(p.armF0) * b.upper;
        s.haF = s.elF + down(p.armF1) * b.fore;
        s.hpN = s.T(b.hipN.x, b.hipN.y);
        s.hpF = s.T(b.hipF.x, b.hipF.y);
        s.knN = s.hpN + down(p.legN0) * b.thigh;
        s.anN = s.knN + down(p.legN1) * b.shin;
        s.knF = s.hpF + down(p.legF0) * b.thigh;
        s.anF = s.knF + down(p.legF1) * b.shin;
        // Rest the lowest body point on the ground, so falls and crouches need no hand-placed height.
        double low = std::max({s.anN.y + 6, s.anF.y + 6, s.knN.y + b.thigh * 0.2, s.knF.y + b.thigh * 0.2,
                               s.hip.y + b.thigh * 0.3, s.head.y + b.head, s.neck.y + b.head * 0.8});
        s.hip.y += kGround - p.lift - low;
    }
    return s;
}

double restOnFloor(Vec hand, double angle, double reach)
{
    double a = std::remainder(angle, 2 * kPi);
    if (hand.y + std::cos(a) * reach <= kGround - 1)
        return a;
    double c = std::clamp((kGround - 1 - hand.y) / reach, -1.0, 1.0);
    return (a < 0 ? -1 : 1) * std::acos(c);
}

std::vector<Vec> footShape(Vec ankle, double tilt, double length, double height)
{
    Vec d{std::cos(tilt), std::sin(tilt)};
    Vec n = perp(d); // points down for a flat foot
    return {ankle + d * -5 + n * -3, ankle + d * -7 + n * height, ankle + d * length + n * height,
            ankle + d * (length + 1) + n * (height - 3), ankle + d * (length * 0.45) + n * -1};
}

Action painAction(const Pose& stand, const Pose& hurt, unsigned slow)
{
    Action pain{"Pain", 0, 0, {}};
    Pose h0 = hurt;
    h0.flash = 0.42;
    pain.frames.push_back({h0, 90});
    Pose h1 = blend(hurt, stand, 0.15);
    h1.flash = 0.2;
    pain.frames.push_back({h1, 100});
    pain.frames.push_back({blend(hurt, stand, 0.5), 110});
    pain.frames.push_back({blend(hurt, stand, 0.82), 110 + slow});
    return pain;
}

Action deathAction(const Pose& hurt, const Pose& fall, const Pose& lying, const Pose& bounce, unsigned slow)
{
    Action dead{"Dead", 0, 1, {}};
    Pose d0 = hurt;
    d0.flash = 0.42;
    dead.frames.push_back({d0, 100});
    dead.frames.push_back({fall, 110 + slow});
    dead.frames.push_back({blend(fall, lying, 0.35), 90 + slow});
    dead.frames.push_back({blend(fall, lying, 0.75), 90});
    dead.frames.push_back({bounce, 100});
    dead.frames.push_back({lying, 150});
    return dead;
}
