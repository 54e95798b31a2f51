// The preview's page for a screen reader: a document whose text is the words of the page shown.
#pragma once

namespace kivo::report {

// Installs, once, the factory that gives the preview's page its accessible interface.
void InstallPreviewAccessibility();

}  // namespace kivo::report
