#pragma once
// Pictures of the record details view, painted in the program's look.
class QImage;
class TImageList;

// "SensorImageList": 6 pictures of 92 x 86: 0 heart-rate belt used,
// 1 not used, 2 speed sensor used, 3 not used, 4 cadence sensor used,
// 5 not used.
TImageList SensorPictures();
// Icon k (0..9) of the value boxes in box order, 28 x 28, white lines.
QImage ValueIcon(int k);
// The notes sign in the gap of the notes frame: an orange pencil, 24 x 24.
QImage NotesIcon();
// The picture of a value tile (w x h): a rounded dark face with a frame.
QImage ValueTile(int w, int h);
