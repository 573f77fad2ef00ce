#include "app/file_field.h"

#include <QDropEvent>
#include <QFile>
#include <QMimeData>
#include <QRegularExpression>
#include <QUrl>

namespace varnel {

namespace {

// A drop fills the two fields at most.
constexpr qsizetype kMostFiles = 2;

// The plain path of a file: URI of this machine, as the system's bytes; empty
// for any other URI. The path is read in its encoded form: toLocalFile()
// decodes it as UTF-8 and loses the bytes of a name that is not.
QByteArray LocalPath(const QUrl& url) {
  if (!url.isLocalFile()) return QByteArray();
  const QString host = url.host();
  if (!host.isEmpty() && host.compare(QLatin1String("localhost"), Qt::CaseInsensitive) != 0)
    return QByteArray();
  return QByteArray::fromPercentEncoding(url.path(QUrl::FullyEncoded).toLatin1());
}

DropOffer OfferOfUrls(const QList<QUrl>& urls) {
  DropOffer offer{DropOffer::Kind::kRefused, {}};
  if (urls.isEmpty() || urls.size() > kMostFiles) return offer;
  for (const QUrl& url : urls) {
    const QByteArray path = LocalPath(url);
    if (path.isEmpty()) return {DropOffer::Kind::kRefused, {}};
    offer.files << path;
  }
  offer.kind = DropOffer::Kind::kFiles;
  return offer;
}

// True when a line of plain text reads as a URI, as file managers that offer
// only plain text write them: "sftp://host/x", "file:///x". A file: URI may
// hold blanks that nobody encoded; other text with a blank is a sentence.
bool IsUri(const QString& line) {
  static const QRegularExpression uri(QStringLiteral("^[A-Za-z][A-Za-z0-9+.-]*://\\S+$"));
  return line.startsWith(QLatin1String("file:/"), Qt::CaseInsensitive) ||
         uri.match(line).hasMatch();
}

}  // namespace

DropOffer ReadDropOffer(const QMimeData& data) {
  if (data.hasUrls()) return OfferOfUrls(data.urls());
  if (!data.hasText()) return {};
  QList<QUrl> urls;
  for (QString line : data.text().split(QLatin1Char('\n'), Qt::SkipEmptyParts)) {
    line = line.trimmed();
    if (line.isEmpty()) continue;
    if (!IsUri(line)) return {};
    urls << QUrl(line);
  }
  if (urls.isEmpty()) return {};
  return OfferOfUrls(urls);
}

}  // namespace varnel

FileField::FileField(QWidget* parent) : QLineEdit(parent) {}

void FileField::setFileName(const QByteArray& name) {
  name_ = name;
  shownName_ = QFile::decodeName(name);
  setText(shownName_);
}

QByteArray FileField::fileName() const {
  return text() == shownName_ ? name_ : QFile::encodeName(text());
}

// Files are taken as a copy, or as a link where the source offers no copy,
// but never moved: a file manager must leave them where they are.
bool FileField::takeDrag(QDropEvent* event, const varnel::DropOffer& offer) {
  using Kind = varnel::DropOffer::Kind;
  if (offer.kind == Kind::kOther) return false;
  const Qt::DropActions offered = event->possibleActions();
  if (offer.kind == Kind::kRefused || !(offered & (Qt::CopyAction | Qt::LinkAction))) {
    event->ignore();
    return true;
  }
  event->setDropAction(offered & Qt::CopyAction ? Qt::CopyAction : Qt::LinkAction);
  event->accept();
  return true;
}

void FileField::dragEnterEvent(QDragEnterEvent* event) {
  if (!takeDrag(event, varnel::ReadDropOffer(*event->mimeData()))) QLineEdit::dragEnterEvent(event);
}

void FileField::dragMoveEvent(QDragMoveEvent* event) {
  if (!takeDrag(event, varnel::ReadDropOffer(*event->mimeData()))) QLineEdit::dragMoveEvent(event);
}

void FileField::dropEvent(QDropEvent* event) {
  const varnel::DropOffer offer = varnel::ReadDropOffer(*event->mimeData());
  if (!takeDrag(event, offer)) {
    QLineEdit::dropEvent(event);
    return;
  }
  if (event->isAccepted()) emit filesDropped(offer.files);
}
