// The page around the game: it scales the canvas, turns a finger into the mouse, reports the loading and says in words
// why the game cannot run or has stopped. The game itself, its sound and its keys are SDL's.
'use strict';

var quillfrayPage = (function () {
    var canvas = document.getElementById('canvas');
    var status = document.getElementById('status');
    var over = false;
    var started = false;
    var lastLine = '';

    function say(text) {
        status.textContent = text;
        status.hidden = !text;
    }

    function fail(text) {
        if (over)
            return;
        over = true;
        document.body.classList.add('failed');
        say(text);
    }

    // The largest whole multiple of 640x480 that fits, crisp; smaller screens (phones) get the game shrunk to fit,
    // full width when upright. Set on the page, not the canvas, whose own size SDL clears when the game starts.
    function fit() {
        var room = document.documentElement;
        var scale = Math.min(room.clientWidth / 640, room.clientHeight / 480);
        if (scale >= 1)
            scale = Math.floor(scale);
        room.style.setProperty('--scale', scale);
    }
    new ResizeObserver(fit).observe(document.documentElement);

    // A touch reaches SDL as a button press with no motion before it, so the game would see the press where the
    // pointer last was: move the pointer to the finger first. Capturing on the window runs this before SDL's own
    // listener on the canvas.
    window.addEventListener('touchstart', function (e) {
        var t = e.changedTouches[0];
        if (e.target === canvas && t)
            canvas.dispatchEvent(new MouseEvent('mousemove', {clientX: t.clientX, clientY: t.clientY, bubbles: true}));
    }, {capture: true, passive: false});
    document.addEventListener('contextmenu', function (e) { e.preventDefault(); });
    document.addEventListener('gesturestart', function (e) { e.preventDefault(); });

    window.addEventListener('error', function (e) {
        var what = e.message || 'a file is missing';
        fail(started ? 'The game stopped with an error: ' + what + '. Reload the page to play again.'
                     : 'The game could not be loaded: ' + what + '. Check the connection and reload the page.');
    });
    if (typeof WebAssembly !== 'object') {
        fail('This browser cannot run WebAssembly, which the game needs: please use a current browser.');
        return {fail: fail};
    }

    // Every sound the layer plays connects straight to the speakers; here it goes through one master gain, which the
    // game's master stage sets each frame (its fade, and the level it gives back after the channels' headroom), and a
    // limiter that keeps the sum under -1 dBFS, as on the desktop.
    var master = null, masterGain = 0;
    var connect = AudioNode.prototype.connect;
    AudioNode.prototype.connect = function (target) {
        if (target instanceof AudioDestinationNode) {
            if (!master || master.context !== target.context) {
                var ctx = target.context, limiter = ctx.createDynamicsCompressor();
                master = ctx.createGain();
                master.gain.value = masterGain;
                limiter.threshold.value = -1.1;
                limiter.knee.value = 0;
                limiter.ratio.value = 20;
                limiter.attack.value = 0.0015;
                limiter.release.value = 0.05;
                connect.call(master, limiter);
                connect.call(limiter, target);
            }
            arguments[0] = master;
        }
        return connect.apply(this, arguments);
    };

    window.Module = {
        canvas: canvas,
        // Sounds then play through Web Audio, which SDL resumes at the first touch, click or key; the page's audio
        // elements would refuse to start before it, with an error.
        noAudioDecoding: true,
        print: function (line) {
            lastLine = line;
            console.log(line);
        },
        printErr: function (line) { console.warn(line); },
        setStatus: function (text) {
            if (over)
                return;
            var m = /\((\d+)\/(\d+)\)/.exec(text);
            if (m)
                say('Loading the game: ' + Math.floor(100 * m[1] / m[2]) + '%');
            else if (!text)
                say('');
        },
        // The font must be there before the first line of text is drawn with it.
        preRun: [function () {
            Module.addRunDependency('font');
            document.fonts.load('12px "text/FreeSans.ttf"').then(function () {
                Module.removeRunDependency('font');
            }, function () { fail('The game could not be loaded: its font is missing. Reload the page.'); });
        }],
        onRuntimeInitialized: function () {
            started = true;
            canvas.focus();
        },
        // The music is the largest file and no frame needs it: fetched only now, it never delays the first one. The
        // game starts it once it is in its files; without it, the game plays on.
        quillfrayFirstFrame: function () {
            fetch('music.ogg').then(function (r) {
                if (!r.ok)
                    throw new Error('HTTP ' + r.status);
                return r.arrayBuffer();
            }).then(function (bytes) {
                Module.FS.writeFile('media/sound/music.ogg', new Uint8Array(bytes));
            }).catch(function (e) { console.warn('The music could not be loaded: ' + e.message); });
        },
        quillfrayGain: function (gain, seconds) {
            masterGain = gain;
            if (!master)
                return;
            var g = master.gain, now = master.context.currentTime;
            g.cancelScheduledValues(now);
            g.setValueAtTime(g.value, now);
            g.linearRampToValueAtTime(gain, now + seconds);
        },
        onAbort: function (what) { fail('The game stopped with an error: ' + what + '. Reload the page to play again.'); },
        onExit: function (code) {
            if (code !== 0)
                return fail('The game stopped with an error' + (lastLine ? ': ' + lastLine : '') +
                            '. Reload the page to play again.');
            over = true;
            document.body.classList.add('ended');
            say('The game has ended. Reload the page to play again.');
        },
    };
    canvas.addEventListener('pointerdown', function () { canvas.focus(); });
    return {fail: fail, gain: function () { return masterGain; }};
})();
