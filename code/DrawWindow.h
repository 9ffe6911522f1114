#ifndef DRAWWINDOW_H
#define DRAWWINDOW_H

#include "Drawing.h"
#include "HitRecords.h"
#include <SDL/SDL.h>
#include <string>

class LinePattern;

// The square area where the player traces the dot path; judges the stroke frame by frame and sends hits.
class DrawWindow {
public:
    // The stroke of one turn, as getDrawingStatus reports it.
    enum Status { Waiting = 0, Drawing = 1, Done = 2 };

    DrawWindow();
    DrawWindow(const DrawWindow&) = delete;
    DrawWindow& operator=(const DrawWindow&) = delete;
    ~DrawWindow();

    void init(SDL_Color& rulz);
    void drawEvaluator(bool button1, Uint8 accuracy, Sint16 posX, Sint16 posY, int& end, Uint16 targetCode);
    int getDrawingStatus();
    SDL_Rect getDimensions();
    void render(SDL_Surface* dest, bool col);
    // The part of dest that render paints over whatever lies there (empty when its picture is see-through).
    SDL_Rect cover(const SDL_Surface* dest) const;
    // Takes ownership of llp and frees the pattern it replaces.
    void setLinePattern(LinePattern* llp);
    LinePattern* getLinePattern() const { return lp; }
    // Read-out for tests.
    const HitRecords& getHitRecords() const { return hits; }

private:
    std::string look(const SDL_Surface* dest) const;
    bool keepable(const SDL_Surface* dest) const;
    bool makeKept(const SDL_Surface* dest);
    void drawArea(SDL_Surface* dest, SDL_Rect& area);

    LinePattern* lp;
    SDL_Rect dimensions;
    SDL_Rect* attStruct; // record of the latest hit; owned by hits
    Uint8 endBurn;
    Uint8 numHits;
    int drawingState;
    Uint32 lastTicks;
    SDL_Surface* bkg;
    HitRecords hits;
    // The area drawn on its own, and everything it was drawn from (empty when it is not kept); what the pass before
    // drew from, and whether that differed from the pass before it.
    SDL_Surface* kept;
    std::string keptLook, lastLook;
    bool movedBefore;
};

#endif
