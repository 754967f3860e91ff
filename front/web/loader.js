// loader.js: the panel's program, and the answer checker's, loaded and
// started, or what kept each from it said in a sentence.
//
// The page fetches each module's files itself and hands them to
// emscripten's loader, so that a file that does not arrive is named, and
// no text of emscripten's reaches the page.  Each promise gives the
// file's bytes, or fails with its name.
function arrival(file) {
  return fetch(file).then(function(response) {
    return response.ok ? response.arrayBuffer() : Promise.reject();
  }).catch(function() { throw file; });
}

// Runs a module's script from its bytes, as its <script> would.
function runScript(bytes) {
  var script = document.createElement('script');
  script.textContent = new TextDecoder().decode(bytes);
  document.head.appendChild(script);
}

// Emscripten's hook for a module's WebAssembly: compiled from the bytes
// the page fetched; failed() is called where they will not compile.
function instantiating(bytes, failed) {
  return function(imports, receive) {
    WebAssembly.instantiate(bytes, imports).then(function(made) {
      receive(made.instance);
    }, failed);
    return {};
  };
}

var noWebAssembly = typeof WebAssembly != 'object';
// Opened as a file, the page can fetch nothing of its own.
var fromDisk = location.protocol == 'file:';

// The panel's program.  SDL listens for keys on the canvas only, so that
// the text box keeps what is typed into it.  Whatever stops the
// program is said in the status line; its own start-up failure line
// too, and emscripten's words go to the console only.
function tryAgain() {
  return _('Try again');
}
function stopped(what) {
  console.error(what);
  panelGone(function() {
    return _('The panel stopped on an error of its own. Try again, or ' +
             'use another browser.');
  }, tryAgain);
}
var lastLine = '';
var Module = {
  canvas: canvas,
  keyboardListeningElement: canvas,
  panelControl: placeControl,
  panelShown: showPress,
  print: function(line) { console.log(line); },
  printErr: function(line) { console.error(line); lastLine = line; },
  onExit: function(code) {
    if (code === 0)
      panelGone(function() { return _('The panel is closed.'); },
                function() { return _('Start again'); });
    else
      panelGone(function() {
        // TRANSLATORS: %1$s is the program's own line, in English, as
        // the desktop's: "Couldn't open data/y.png".
        return format(_('The panel could not start: %1$s. Try another ' +
                        'browser, or tell whoever keeps this site.'),
                      lastLine);
      });
  },
  onAbort: stopped,
  onRuntimeInitialized: function() { setTimeout(afterFirstFrame, 0); }
};

// Once the program has drawn the panel and waits for the player, the
// page asks for what installing it and a later visit need: the web app
// manifest, and the service worker that keeps the site's files, so that
// a later visit plays without the network (where the page is served
// over HTTPS or from this machine; elsewhere browsers have none, and
// where they refuse it, as with the site's storage, the page plays on
// as it is).  By then the program and its images are here, so the
// worker finds them in the browser's cache instead of fetching them
// again.  The catalogs in use came before the worker did: once it serves
// the page, they are fetched again through it, for it to keep.
function afterFirstFrame() {
  var manifest = document.createElement('link');
  manifest.rel = 'manifest';
  manifest.href = 'manifest.webmanifest';
  document.head.appendChild(manifest);
  if (!('serviceWorker' in navigator))
    return;
  navigator.serviceWorker.register('sw.js').catch(function() {});
  navigator.serviceWorker.addEventListener('controllerchange', function() {
    if (language != 'en')
      [language + '.json', language + '.mo'].forEach(function(file) {
        fetch(file).catch(function() {});
      });
  });
}

// The program's three files, fetched at once, then its script run with
// the other two handed to it; or what kept it from starting.
if (fromDisk) {
  panelGone(function() {
    return _('The panel cannot start: this page must be served by a web ' +
             'server, not opened as a file: see "In the browser" in the ' +
             'README.');
  });
} else if (noWebAssembly) {
  panelGone(function() {
    return _('The panel needs WebAssembly, which this browser does not ' +
             'run (it may be turned off in its settings): try another ' +
             'browser.');
  });
} else {
  Promise.all(['zelm.js', 'zelm.wasm', 'zelm.data'].map(arrival)).then(
    function(files) {
      Module.instantiateWasm = instantiating(files[1], stopped);
      Module.getPreloadedPackage = function() { return files[2]; };
      runScript(files[0]);
    },
    function(file) {
      panelGone(function() {
        // TRANSLATORS: %1$s is the name of a file of the page's site.
        return format(_('The panel could not be loaded: %1$s did not ' +
                        'arrive. Check the connection, then try again.'),
                      file);
      }, tryAgain);
    });
}
