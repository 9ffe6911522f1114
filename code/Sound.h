#ifndef SOUND_H
#define SOUND_H

// The game's sound: the mixer, one chunk per cue (sixteen notes for the dots), the music loop, the mute state, and a
// limiter that keeps the mix below -1 dBFS. Until open() has succeeded every call is silent, so the game plays alike
// with and without it.
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

    // Opens the audio device, loads media/sound/, fades the sound in and starts the music. Each failure says so in one
    // line on standard output (one per file) and leaves that much silent.
    static void open();
    // Starts the music once its file is there, if open() could not: the browser's page fetches it after the first
    // frame. Called once a pass.
    static void update();
    // Fades the sound out (20 ms), then closes the device.
    static void close();
    // n picks a Dot's note: see note().
    static void play(Cue cue, int n = 1);
    // The note, 1 to 16, of the n-th dot of a stroke: up the scale, then down and up again, never one twice in a row.
    static int note(int n);
    // Fades the whole sound out or back in; while muted no cue starts.
    static void toggleMute();
    // Read-out for tests: how often the game has asked for each cue, heard or not.
    static unsigned asked(Cue cue);
};

#endif
