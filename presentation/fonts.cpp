#include "presentation/fonts.h"

#include <QStringList>

namespace kestrane {
namespace {

const QString song = QStringLiteral("宋体");
const QString latinSans = QStringLiteral("MS Sans Serif");
// The faces 宋体 is drawn with here, then the names of Song faces elsewhere.
const QStringList songFaces = {QStringLiteral("AR PL UMing CN"), QStringLiteral("Noto Serif CJK SC"),
                               QStringLiteral("SimSun"), QStringLiteral("Songti SC")};

}  // namespace

void installFontSubstitutes()
{
    // AR PL UMing is the Ming face closest to 宋体; Noto Serif CJK SC gives the
    // simplified forms where UMing is missing. Nimbus Sans keeps the narrow
    // proportions of the sans face the layout was drawn for, which the tight
    // captions need.
    QFont::insertSubstitutions(song, songFaces.mid(0, 2));
    QFont::insertSubstitutions(latinSans, {QStringLiteral("Nimbus Sans"), QStringLiteral("Liberation Sans"),
                                           QStringLiteral("DejaVu Sans")});
}

QFont songFont(double points, bool bold)
{
    QFont font(song);
    font.setPointSizeF(points);
    font.setBold(bold);
    return font;
}

QString songFamilyList()
{
    QStringList families{song};
    for (const QString& face : songFaces) families << QLatin1Char('\'') + face + QLatin1Char('\'');
    families << QStringLiteral("serif");
    return families.join(QStringLiteral(", "));
}

QFont latinFont(double points)
{
    QFont font;
    font.setFamilies({latinSans, song});
    font.setPointSizeF(points);
    font.setBold(true);
    return font;
}

}  // namespace kestrane
