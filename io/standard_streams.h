// Puts standard input and output into the state the engine's byte-exact protocol needs.
#pragma once

// Called once at start-up, before anything is read or written.
void PrepareStandardStreams();
