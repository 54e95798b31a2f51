// The process-wide client and score tables, and the calls that fill the tables.
#include "model/Session.h"

namespace kivo {

ClientRecord gClientRecord = [] {
    ClientRecord r;
    ResetClientRecord(r);
    return r;
}();
SubscaleScoreTable SubscaleScores{};
NormTableType NormTable{};

void ComputeSubscaleScores() {
    ComputeSubscaleScores(gClientRecord, SubscaleScores);
}

void LoadNormTable() {
    NormTable = SubscaleNorms();
}

}  // namespace kivo
