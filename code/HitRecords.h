#ifndef HITRECORDS_H
#define HITRECORDS_H

#include <SDL/SDL.h>
#include <vector>

// Attack records travel through the event queue by pointer, so each must live until the battle has taken
// its event out of the queue. The producer keeps its records here and frees the ones whose events are gone.
class HitRecords {
public:
    HitRecords() = default;
    HitRecords(const HitRecords&) = delete;
    HitRecords& operator=(const HitRecords&) = delete;
    ~HitRecords();

    // Pushes a hit event (type 24, code 0) carrying a new record {0, 0, targetCode, damage}.
    // Returns the record, or null when the queue refused it (the record is then already freed).
    SDL_Rect* push(Uint16 targetCode, Uint16 damage);
    // Frees every record whose event is no longer waiting in the queue.
    void releaseHandled();
    size_t held() const { return records.size(); }

private:
    std::vector<SDL_Rect*> records;
};

#endif
