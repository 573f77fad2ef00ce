#include "ui/program_icon.h"

#include <QString>

namespace varnel {

namespace {

const char kIconPath[] = ":/varnel/icons/varnel.png";

}  // namespace

QIcon ProgramIcon() {
  return QIcon(QString::fromLatin1(kIconPath));
}

QPixmap ProgramPixmap() {
  return QPixmap(QString::fromLatin1(kIconPath));
}

}  // namespace varnel
