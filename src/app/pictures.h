#pragma once

#include <QPixmap>

// The main window's two pictures, drawn at start-up rather than shipped as files.
namespace wrenly {

// The logo: 87 × 16, transparent around a speech bubble and the name.
QPixmap LogoPicture();

// The contacts button's picture: 16 × 16, an address card.
QPixmap ContactsPicture();

}  // namespace wrenly
