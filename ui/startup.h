#pragma once

// The start-up sequence up to the message loop: the note store into Data, the application
// object's title and help file, then the six forms in their order. Needs a QApplication.
void StartUp();

// Destroys the six forms and the store, so that a test can start up again.
void ShutDown();
