// The picture of a castle by its site's picture kind (NORMAL, RYUUKYUU, CHINA, EUROPE, GENDAI).
#pragma once

#include <QPixmap>
#include <QSize>

namespace vh::ui {

QPixmap castlePicture(int kind, QSize size = QSize(120, 90));

} // namespace vh::ui
