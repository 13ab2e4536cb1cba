#pragma once

#include <QColor>
#include <QTranslator>

class QApplication;

// Replaces the texts of the platform's standard dialogs and buttons with the
// system's own ("Si", "Aceptar", "Cuidado!", ...). Installed after Qt's
// Spanish catalogue so that these win where both have a text.
class CaptionTranslator : public QTranslator
{
    Q_OBJECT
public:
    using QTranslator::QTranslator;
    QString translate(const char *context, const char *sourceText, const char *disambiguation = nullptr,
                      int n = -1) const override;
    bool isEmpty() const override { return false; }
};

namespace Startup
{

// First thing after the QApplication exists, before any window: Qt's Spanish
// translations, the replaced captions, the names behind QSettings and the
// Argentine locale, then the data module with every connection closed.
void prepareApplication(QApplication &app);

} // namespace Startup

// A Windows colour value (0x00BBGGRR) as the profile table stores it.
inline QColor winColour(int value)
{
    return QColor(value & 0xFF, (value >> 8) & 0xFF, (value >> 16) & 0xFF);
}
