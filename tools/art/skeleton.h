// The skeleton shared by both characters: poses, solving joints, and the animation recipes they share.
#pragma once

#include <utility>
#include <vector>

#include "geometry.h"

// Joint angles of one frame. Limb angles are absolute, measured from straight down toward the front.
struct Pose {
    double hipX = 0;
    double lean = 0; // torso tilt from upright, + toward the front
    double nod = 0;  // head tilt on top of the lean
    double breath = 0;
    double armN0 = 0, armN1 = 0, armF0 = 0, armF1 = 0; // near/far arm: upper arm, forearm
    double legN0 = 0, legN1 = 0, legF0 = 0, legF1 = 0; // near/far leg: thigh, shin
    double footN = 0, footF = 0;                       // foot tilt, 0 flat
    double weapon = 0;                                 // weapon direction from the near hand
    double sway = 0;                                   // trailing cloth
    double lift = 0;                                   // height above the ground, for hops and bounces
    double flash = 0;                                  // white-red tint of a blow
};

Pose blend(const Pose& a, const Pose& b, double t);

// Body proportions in local units; joint anchors are (front, up) in the torso frame.
struct Build {
    double torso, neck, head, upper, fore, thigh, shin, foot;
    Vec shoulderN, shoulderF, hipN, hipF;
    double headFwd;
};

struct Skel {
    Vec hip, up, fwd, neck, head, hu, hf;
    Vec shN, elN, haN, shF, elF, haF;
    Vec hpN, knN, anN, hpF, knF, anF;
    Vec T(double f, double u) const { return hip + fwd * f + up * u; }
    Vec H(double f, double u) const { return head + hf * f + hu * u; }
};

constexpr double kGround = 145; // feet line below the reference point

Skel solve(const Pose& p, const Build& b);

// Turns a weapon of the given reach away from straight down until its tip rests on the floor.
double restOnFloor(Vec hand, double angle, double reach);

std::vector<Vec> footShape(Vec ankle, double tilt, double length, double height);

struct Action {
    const char* name;
    int loops;
    unsigned rule;
    std::vector<std::pair<Pose, unsigned>> frames; // pose and hold time in ms
};

// Pain: a flash, then easing from `hurt` back to `stand`. Death: a flash, the fall, a bounce, lying still.
// `slow` lengthens the settling frames for a heavier body.
Action painAction(const Pose& stand, const Pose& hurt, unsigned slow);
Action deathAction(const Pose& hurt, const Pose& fall, const Pose& lying, const Pose& bounce, unsigned slow);
