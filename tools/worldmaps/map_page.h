#pragma once

#include "worldmaps/day_night.h"

#include <QImage>
#include <QString>

namespace zelvora::worldmaps {

// The picture of one map page: the day and night map of the middle of the
// UTC hour with the subsolar point, nominal time-zone lines, the zones'
// offsets along the top and the zones' clock hours along the bottom.
QImage WorldMapPicture(const QImage& day, const QImage& night, Season season, int utcHour);

// File names of a page and of its picture, as the program asks for them.
QString PageFileName(Season season, int utcHour);
QString PictureFileName(Season season, int utcHour);

// The HTML page around the picture, with a short German caption and links
// to the neighbouring hours and the other season.
QString WorldMapPageHtml(Season season, int utcHour);

// Writes all 48 pages and pictures into the folder; on failure returns
// false and says why.
bool WriteWorldMaps(const QString& folder, const QImage& day, const QImage& night, QString* error);

}  // namespace zelvora::worldmaps
