#ifndef LINEPATTERN_H
#define LINEPATTERN_H

#include <SDL/SDL.h>
#include <string>
#include <vector>

void HSVtoRGB(Uint16 h, Uint16 s, Uint16 v, Uint8& r, Uint8& g, Uint8& b);
void RGBtoHSV(Uint8 r, Uint8 g, Uint8 b, Uint16& h, Uint16& s, Uint16& v);
void HSVtoRGBhelper(float* r, float* g, float* b, float h, float s, float v);
void RGBtoHSVhelper(float r, float g, float b, float* h, float* s, float* v);
float MIN(float a, float b, float c);
float MAX(float a, float b, float c);

// The path of dots the player traces: tail, target and the dots ahead, a random walk of equal steps.
// Dot positions are relative to the drawing area's top-left corner.
class LinePattern {
public:
    LinePattern();
    void init(SDL_Rect dim, SDL_Color& rulz);
    void getNewLine(SDL_Rect dim, bool newline);
    int getContactPoint(SDL_Rect& ptA);
    int getLastPoint(SDL_Rect& ptA);
    int get2ndContactPoint(SDL_Rect& ptA);
    void render(SDL_Surface* dest, SDL_Rect dim);
    // A rectangle of the screen that holds whatever render draws for the area dim (it may reach a little past it).
    SDL_Rect bounds(SDL_Rect dim) const;
    // What render draws from, besides the area and the surface: two patterns with equal keys draw the same.
    std::string key() const;
    Uint32 chooseColor(SDL_Rect pt, SDL_Surface* dest, Uint8& r, Uint8& g, Uint8& b, Uint8& a);

    // Read-outs for tests.
    const std::vector<SDL_Rect>& getPoints() const { return points; }
    Uint16 getCurrentAngle() const { return currentAngle; }
    Uint8 getMainAngleIndex() const { return mainAngleIndex; }
    Uint16 getNibAngle() const { return ang1; }

protected:
    SDL_Rect generateNextPoint(SDL_Rect dim);
    bool boundaryNextPoint(SDL_Rect& newPt, SDL_Rect dim, int& dir);
    void addWeight(Uint8& wA, Uint8& wB, Uint8 amount);

    std::vector<SDL_Rect> points;
    Uint8 startVector;
    Uint8 distBetweenPoints;
    Uint8 angleBetweenPoints;
    Uint16 currentAngle;
    Uint8 mainAngleIndex;
    Sint32 totalRotation;
    bool firstPoint;
    Uint16 ang1;
    Uint16 ang2;
    double sin1, cos1;
    double sin2, cos2;
    Uint8 totalNumDots;
    std::vector<std::vector<Uint8>> angleChangeDistribution;
};

#endif
