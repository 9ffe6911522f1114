// The page around the game: it scales the board beside its buttons, hands the game one finger as the mouse, keeps
// to the game only the keys it reads, reports the loading, says in words why the game cannot run or has stopped, and
// silences it while hidden. The game itself, its sound and its keys are SDL's.
'use strict';

var quillfrayPage = (function () {
    var canvas = document.getElementById('canvas');
    var status = document.getElementById('status');
    var buttons = {newGame: document.getElementById('newgame'), sound: document.getElementById('sound'),
                   fullScreen: document.getElementById('fullscreen')};
    var over = false;
    var started = false;
    var lastLine = '';
    var listen = window.addEventListener.bind(window);

    function say(text) {
        status.textContent = text;
        status.hidden = !text;
    }

    // A line beside the board that does not stop the game.
    function note(text) {
        var p = document.getElementById('note');
        p.textContent = text;
        p.hidden = false;
    }

    function fail(text) {
        if (over)
            return;
        over = true;
        document.body.classList.add('failed');
        say(text);
    }

    // The board is the largest whole multiple of 640x480 that fits beside or below the buttons, crisp; smaller
    // screens (phones) get it shrunk to fit. Set on the page, not the canvas, whose own size SDL clears when the game
    // starts. Upright, a phone is told that turning it gives a larger board.
    function fitting(w, h) {
        var beside = Math.min((w - 160) / 640, h / 480), below = Math.min(w / 640, (h - 96) / 480);
        return {scale: Math.max(beside, below), side: beside > below};
    }
    function fit() {
        var room = document.documentElement, w = room.clientWidth, h = room.clientHeight, now = fitting(w, h);
        room.style.setProperty('--scale', now.scale >= 1 ? Math.floor(now.scale) : now.scale);
        document.body.classList.add('fitted');
        document.body.classList.toggle('side', now.side);
        document.getElementById('turn').hidden = !matchMedia('(pointer: coarse)').matches ||
                                                 fitting(h, w).scale <= now.scale;
    }
    new ResizeObserver(fit).observe(document.documentElement);

    // One finger plays, as the mouse with its button held, until it lifts or the system takes it; the others are
    // ignored. The layer's own touch handling, which reports every finger as the mouse and misses a cancel, never
    // sees them: these listeners on the window run first.
    var finger = null;
    function mouse(type, at) {
        canvas.dispatchEvent(new MouseEvent(type, {clientX: at.clientX, clientY: at.clientY, button: 0,
                                                   buttons: type === 'mouseup' ? 0 : 1, bubbles: true}));
    }
    function touched(e) {
        if (e.target !== canvas)
            return;
        e.preventDefault();
        e.stopImmediatePropagation();
        var t = Array.prototype.find.call(e.changedTouches, function (c) {
            return finger === null ? e.type === 'touchstart' : c.identifier === finger;
        });
        if (!t)
            return;
        if (e.type === 'touchstart') {
            finger = t.identifier;
            mouse('mousemove', t);
            mouse('mousedown', t);
        } else if (e.type === 'touchmove') {
            mouse('mousemove', t);
        } else {
            finger = null;
            mouse('mouseup', t);
        }
    }
    ['touchstart', 'touchmove', 'touchend', 'touchcancel'].forEach(function (type) {
        listen(type, touched, {capture: true, passive: false});
    });
    // The mouse is held by the board from press to release, wherever it goes, as on the desktop.
    canvas.addEventListener('pointerdown', function (e) {
        canvas.focus();
        if (e.pointerType === 'mouse')
            canvas.setPointerCapture(e.pointerId);
    });
    document.addEventListener('contextmenu', function (e) {
        if (e.target === canvas)
            e.preventDefault();
    });

    // The layer listens to the keys on the canvas alone (keyboardListeningElement) and cancels each one it sees:
    // it sees only Escape, F10 and M, and those only while the game runs; every other key does what the browser does.
    ['keydown', 'keyup', 'keypress'].forEach(function (type) {
        listen(type, function (e) {
            if (e.target === canvas && !(started && !over && /^(Escape|F10|m|M)$/.test(e.key)))
                e.stopImmediatePropagation();
        }, true);
    });

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
    // limiter that keeps the sum under -1 dBFS, as on the desktop. A hidden page is silent.
    var master = null, masterGain = 0;
    var audible = function () { return document.hidden ? 0 : masterGain; };
    var connect = AudioNode.prototype.connect;
    AudioNode.prototype.connect = function (target) {
        if (target instanceof AudioDestinationNode) {
            if (!master || master.context !== target.context) {
                var ctx = target.context, limiter = ctx.createDynamicsCompressor();
                master = ctx.createGain();
                master.gain.value = audible();
                rampTo = null;
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
    // A ramp to where the gain already rests is skipped: it would change nothing, and keep the gain computed sample by
    // sample.
    var rampTo = null, rampEnd = 0;
    function ramp(seconds) {
        if (!master)
            return;
        var g = master.gain, now = master.context.currentTime, to = audible();
        if (to === rampTo && now >= rampEnd)
            return;
        g.cancelScheduledValues(now);
        g.setValueAtTime(g.value, now);
        g.linearRampToValueAtTime(to, now + seconds);
        rampTo = to, rampEnd = now + seconds;
    }
    document.addEventListener('visibilitychange', function () { ramp(0.02); });
    // Browsers start sound only in answer to a gesture; the layer listens for touchstart, which is not one.
    function wake() {
        if (master && master.context.state === 'suspended' && !document.hidden)
            master.context.resume();
    }
    ['pointerup', 'keydown'].forEach(function (type) { listen(type, wake, true); });
    // A browser that cannot decode the sound files (their format) plays on without them.
    var Context = window.BaseAudioContext || window.AudioContext || window.webkitAudioContext;
    var decode = Context.prototype.decodeAudioData;
    Context.prototype.decodeAudioData = function (data, done, failed) {
        var result = decode.call(this, data, done, function (e) {
            note('The sound is off: this browser cannot play the game\'s sound files. The game plays on without it.');
            if (failed)
                failed(e);
        });
        if (result && result.catch)
            result.catch(function () {});
        return result;
    };
    // The layer's unload listener does nothing the game needs (in full screen the game ignores a quit request), and
    // unload listeners are on their way out of browsers.
    window.addEventListener = function (type) {
        if (type !== 'unload')
            return listen.apply(window, arguments);
    };

    // Loading: a line for its progress, for a stall (nothing new for a while: a request that never answers) and for
    // each way it can fail that the layer would otherwise leave at its last percentage.
    var stall = 0, dataSize = 0;
    function loading(text) {
        if (over || started)
            return;
        if (text !== undefined)
            say(text);
        clearTimeout(stall);
        stall = setTimeout(function () {
            if (!over && !started)
                say('Loading has stalled: nothing has arrived for 20 seconds. Check the connection; the game goes on ' +
                    'by itself when its files arrive, or reload the page.');
        }, 20000);
    }
    loading();
    window.Module = {
        canvas: canvas,
        keyboardListeningElement: canvas,
        // Sounds then play through Web Audio, which the page resumes at the first touch, click or key; the page's
        // audio elements would refuse to start before it, with an error.
        noAudioDecoding: true,
        print: function (line) {
            lastLine = line;
            console.log(line);
        },
        printErr: function (line) {
            console.warn(line);
            var damaged = /^Preloading file (.*) failed$/.exec(line);
            if (damaged)
                fail('The game could not be loaded: its file ' + damaged[1] + ' is damaged. Reload the page.');
        },
        setStatus: function (text) {
            var m = /\((\d+)\/(\d+)\)/.exec(text);
            loading(m ? 'Loading the game: ' + Math.floor(100 * m[1] / m[2]) + '%' : undefined);
        },
        monitorRunDependencies: function () { loading(); },
        // Asked once, with the size of the data file: null lets the layer download it.
        getPreloadedPackage: function (name, size) {
            dataSize = size;
            return null;
        },
        // Before the data file's contents become files: one cut short would otherwise lose its last files without a
        // word (sounds) or hang (pictures).
        preInit: function () {
            var create = Module.FS_createPreloadedFile;
            Module.FS_createPreloadedFile = function (parent, name, bytes) {
                var got = bytes.buffer.byteLength;
                if (dataSize && got !== dataSize)
                    return fail('The game could not be loaded: its data arrived incomplete (' + got + ' of ' +
                                dataSize + ' bytes). Check the connection and reload the page.');
                return create.apply(this, arguments);
            };
        },
        preRun: [function () {
            // The font must be there before the first line of text is drawn with it.
            Module.addRunDependency('font');
            document.fonts.load('12px "text/FreeSans.ttf"').then(function () {
                Module.removeRunDependency('font');
            }, function () { fail('The game could not be loaded: its font is missing. Reload the page.'); });
        }],
        onRuntimeInitialized: function () {
            started = true;
            clearTimeout(stall);
            say('');
            canvas.focus();
            buttons.newGame.disabled = buttons.sound.disabled = false;
        },
        // The music is the largest file and no frame needs it: fetched only now, it never delays the first one. The
        // game starts it once it is in its files; without it, the game plays on.
        // The site is then kept for offline play, from the copies in the HTTP cache.
        quillfrayFirstFrame: function () {
            fetch('music.ogg').then(function (r) {
                if (!r.ok)
                    throw new Error('HTTP ' + r.status);
                return r.arrayBuffer();
            }).then(function (bytes) {
                Module.FS.writeFile('media/sound/music.ogg', new Uint8Array(bytes));
            }).catch(function (e) {
                console.warn('The music could not be loaded: ' + e.message);
                note('The music could not be loaded: the game plays on without it.');
            }).then(function () {
                if ('serviceWorker' in navigator)
                    navigator.serviceWorker.register('sw.js').catch(function () {});
            });
        },
        quillfrayGain: function (gain, seconds) {
            if ((gain > 0) !== (masterGain > 0))
                buttons.sound.setAttribute('aria-pressed', gain > 0);
            masterGain = gain;
            ramp(seconds);
        },
        quillfrayState: function (defeat) { document.body.classList.toggle('defeat', defeat); },
        onAbort: function (what) { fail('The game stopped with an error: ' + what + '. Reload the page to play again.'); },
        onExit: function (code) {
            if (code !== 0)
                return fail('The game stopped with an error' + (lastLine ? ': ' + lastLine : '') +
                            '. Reload the page to play again.');
            over = true;
            document.body.classList.add('ended');
            say('The game has ended.');
            buttons.newGame.textContent = 'Play again';
            buttons.sound.disabled = true;
        },
    };

    buttons.newGame.addEventListener('click', function () {
        if (over)
            return location.reload();
        Module._qf_newGame();
        canvas.focus();
    });
    buttons.sound.addEventListener('click', function () {
        Module._qf_toggleSound();
        canvas.focus();
    });
    // Full screen where the browser offers it, turned on its side where it can be.
    buttons.fullScreen.hidden = !document.fullscreenEnabled || matchMedia('(display-mode: fullscreen)').matches;
    buttons.fullScreen.addEventListener('click', function () {
        if (document.fullscreenElement)
            return document.exitFullscreen();
        document.documentElement.requestFullscreen({navigationUI: 'hide'}).then(function () {
            return screen.orientation && screen.orientation.lock && screen.orientation.lock('landscape');
        }).catch(function () {});
    });
    document.addEventListener('fullscreenchange', function () {
        buttons.fullScreen.setAttribute('aria-pressed', !!document.fullscreenElement);
    });
    return {fail: fail, gain: audible};
})();
