// SDL's browser audio calls two of Emscripten's library functions from its
// own JavaScript, where the linker cannot see them; this entry names them so
// that the link keeps them.
mergeInto(LibraryManager.library, {
  gulpkin_keep_sdl_helpers__deps: ['$autoResumeAudioContext', '$dynCall'],
  gulpkin_keep_sdl_helpers: function() {},
});
