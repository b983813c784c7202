#pragma once

class TSaveDialog;

// Gives the publish dialog its title, filter, default extension and options.
void SetupPublishDialog(TSaveDialog& dialog);
