#ifndef SOUND_H
#define SOUND_H

// The game's sound: the mixer, one chunk per cue (sixteen notes for the dots), the music loop and the mute state.
// Until open() has succeeded every call is silent, so the game plays alike with and without it.
class Sound {
public:
    enum Cue {
        Stroke,
        Dot,
        Release,
        Tired,
        Blow,
        HeroPain,
        HeroDeath,
        FoePain,
        FoeDeath,
        Victory,
        Defeat,
        Approach,
        CueCount
    };

    // Opens the audio device, loads media/sound/ and starts the music. Each failure says so in one line on
    // standard output (one per file) and leaves that much silent.
    static void open();
    static void close();
    // n picks a Dot's note: the n-th dot of a stroke, held at the top note beyond the last.
    static void play(Cue cue, int n = 1);
    static void toggleMute();
    // Read-out for tests: how often the game has asked for each cue, heard or not.
    static unsigned asked(Cue cue);
};

#endif
