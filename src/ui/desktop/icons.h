// The toolbar's pictures, drawn as vector shapes at whatever size and scale
// the screen asks for, so they stay crisp at 100 % and 200 %.
#pragma once

#include <QIcon>
#include <QPixmap>

namespace kvem::ui {

QIcon CommandIcon(int commandId);
// The start-up picture shown over the main window.
QPixmap SplashPicture(const QString& firstLine, qreal devicePixelRatio);

}  // namespace kvem::ui
