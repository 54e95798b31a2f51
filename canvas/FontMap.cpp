// Font substitutions for the layouts' Windows font names.
#include "canvas/FontMap.h"

#include <QFont>
#include <QString>

namespace kivo::canvas {

void InstallFontSubstitutes() {
    struct Mapping {
        const char* windowsName;
        const char* installed;
    };
    // Liberation Sans has Arial's metrics; its Narrow cut has Arial Narrow's. MS Sans Serif
    // and Tahoma are narrow UI faces: Liberation Sans is closer in width than DejaVu Sans.
    static const Mapping kMappings[] = {
        {"MS Sans Serif", "Liberation Sans"},
        {"Arial", "Liberation Sans"},
        {"Arial Narrow", "Liberation Sans Narrow"},
        {"Tahoma", "DejaVu Sans"},
    };
    for (const auto& m : kMappings) {
        QFont::insertSubstitution(QString::fromLatin1(m.windowsName),
                                  QString::fromLatin1(m.installed));
    }
}

}  // namespace kivo::canvas
