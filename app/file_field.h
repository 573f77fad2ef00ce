// A file field of the main window: a one-line text field that also takes
// files dropped from a file manager, as their plain local paths.
#pragma once

#include <QByteArray>
#include <QLineEdit>
#include <QList>

class QMimeData;

namespace varnel {

// What a drag offers a file field.
struct DropOffer {
  enum class Kind {
    kFiles,    // one or two local files, as plain paths in the system's bytes in `files`
    kRefused,  // places that are not local files, or more than two files
    kOther,    // anything else (text that is not a URI): the text field's own business
  };
  Kind kind = Kind::kOther;
  QList<QByteArray> files;
};

// Reads a drag's data: a list of URIs (text/uri-list), or plain text whose
// every line is a URI, names local files when each one is a file: URI of this
// machine. Never fails.
DropOffer ReadDropOffer(const QMimeData& data);

}  // namespace varnel

class FileField : public QLineEdit {
  Q_OBJECT

 public:
  explicit FileField(QWidget* parent = nullptr);

  // Shows `name`, a file's name as the system's bytes, readably (bytes that
  // are not UTF-8 as U+FFFD); the comparison gets these very bytes for as
  // long as the field shows that text unchanged.
  void setFileName(const QByteArray& name);
  // The name of the field's file as the system's bytes: those given to
  // setFileName while the field still shows them, else its text encoded.
  QByteArray fileName() const;

 signals:
  // One or two local files were dropped on the field, in the order given.
  void filesDropped(const QList<QByteArray>& files);

 protected:
  void dragEnterEvent(QDragEnterEvent* event) override;
  void dragMoveEvent(QDragMoveEvent* event) override;
  void dropEvent(QDropEvent* event) override;

 private:
  // True when the field deals with the drag itself rather than as text.
  bool takeDrag(QDropEvent* event, const varnel::DropOffer& offer);

  QByteArray name_;
  QString shownName_;
};
