// Libraries that SDL opens while it looks for an audio or video back end, and closes
// again when one does not answer (PulseAudio, PipeWire, ALSA, D-Bus), stay loaded for
// the whole test program: the leak checker can then name them, and the rules in
// tests/lsan.supp match them whatever the machine's audio set-up or XDG_RUNTIME_DIR.
// The definition takes the place of the C library's for every caller in the program.

extern "C" int dlclose(void* /*library*/) { return 0; }
