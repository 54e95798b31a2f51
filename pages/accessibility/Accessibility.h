// The program's own accessible interfaces, installed once: named lists, page buttons spoken as
// radio buttons, and the score drawings as charts, tables and lists a screen reader can read.
#pragma once

namespace kivo {

// Installs the factory that gives lists, the page buttons and the score pages' paint boxes their
// accessible interfaces. Safe to call more than once.
void InstallAccessibility();

}  // namespace kivo
