#include "Fonts.h"

#include <QStringList>

QFont FormFont(bool bold) {
  QFont font;
  // Liberation Sans has the metrics of the face the forms were laid out for and carries
  // Cyrillic; DejaVu Sans is the last resort.
  font.setFamilies({QStringLiteral("MS Sans Serif"), QStringLiteral("Liberation Sans"),
                    QStringLiteral("DejaVu Sans")});
  font.setStyleHint(QFont::SansSerif);
  font.setPixelSize(11);
  font.setBold(bold);
  return font;
}
