#pragma once

#include "store/data.h"

// Tells the user that a save failed: where, why, and that the change is kept in memory.
// Does nothing when the save succeeded.
void ReportSaveFailure(const TSaveResult& result);

// Saves the store and reports a failure; returns whether the save succeeded.
bool SaveData();
