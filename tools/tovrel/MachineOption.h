#pragma once

// Makes the library read the sample machine in the folder (the portable build's registry and
// drives) and checks that its registry files load; false, with the reason on stderr, otherwise.
// The Windows build reads the real machine and refuses the option.
bool UseMachine(const char* folder);
