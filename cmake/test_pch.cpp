// Compiled only to produce the precompiled header that every test program
// reuses; it defines nothing.
