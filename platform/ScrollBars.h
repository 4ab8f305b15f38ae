#pragma once

class QAbstractScrollArea;

// Gives the view scroll bars that repaint their last picture while nothing
// about them has changed.
void keepScrollBarPictures(QAbstractScrollArea* area);
