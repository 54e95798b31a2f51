// The state one run of the program shares between its pages: the open client and the
// score and norm tables the report screen fills.
#pragma once

#include "model/ClientRecord.h"
#include "model/Scoring.h"

namespace kivo {

// Process-wide state of one run: the open client and the tables the report screen fills.
// Each lives from start to end of the process.

extern ClientRecord gClientRecord;
extern SubscaleScoreTable SubscaleScores;
extern NormTableType NormTable;

// Scores gClientRecord into SubscaleScores.
void ComputeSubscaleScores();
// Stores the norm constants into NormTable.
void LoadNormTable();

}  // namespace kivo
