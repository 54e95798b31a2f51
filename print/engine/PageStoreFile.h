// The saved form of a report's pages (.kps), so a preview can be kept and shown again exactly.
#pragma once

#include <QByteArray>
#include <QString>

#include "print/engine/PageStore.h"

namespace kivo::report {

// The saved form of a page store (".kps"): see the README for the layout. Loading checks
// every count, length and value against the data and fixed limits, so a damaged or hostile
// file is refused with an Error and never read past its end.
QByteArray SavePageStore(const PageStore& store);
PageStore LoadPageStore(const QByteArray& data);

void SavePageStoreFile(const PageStore& store, const QString& path);
PageStore LoadPageStoreFile(const QString& path);

}  // namespace kivo::report
