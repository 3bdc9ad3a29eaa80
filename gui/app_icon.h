#pragma once
#include <QIcon>

// The program's own icon (icon 128): a framed photo with a sun over hills.
QIcon AppIcon();
