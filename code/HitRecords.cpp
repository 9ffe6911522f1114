#include "HitRecords.h"
#include <algorithm>

HitRecords::~HitRecords()
{
    for (SDL_Rect* r : records)
        delete r;
}

SDL_Rect* HitRecords::push(Uint16 targetCode, Uint16 damage)
{
    releaseHandled();
    SDL_Rect* rec = new SDL_Rect{0, 0, targetCode, damage};
    SDL_Event attMade{};
    attMade.type = SDL_USEREVENT;
    attMade.user.code = 0;
    attMade.user.data1 = rec;
    attMade.user.data2 = nullptr;
    if (SDL_PushEvent(&attMade) != 0) {
        delete rec;
        return nullptr;
    }
    records.push_back(rec);
    return rec;
}

void HitRecords::releaseHandled()
{
    if (records.empty())
        return;
    // The queue holds at most 128 events, so one peek sees every hit still waiting.
    SDL_Event waiting[128];
    int n = SDL_PeepEvents(waiting, 128, SDL_PEEKEVENT, SDL_EVENTMASK(SDL_USEREVENT));
    auto stillQueued = [&](SDL_Rect* r) {
        for (int i = 0; i < n; ++i)
            if (waiting[i].user.data1 == r)
                return true;
        return false;
    };
    auto gone = std::stable_partition(records.begin(), records.end(), stillQueued);
    for (auto it = gone; it != records.end(); ++it)
        delete *it;
    records.erase(gone, records.end());
}
