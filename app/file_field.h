// A file field of the main window: a one-line text field that also takes
// files dropped from a file manager, as their plain local paths.
#pragma once

#include <QLineEdit>
#include <QStringList>

class QMimeData;

namespace varnel {

// What a drag offers a file field.
struct DropOffer {
  enum class Kind {
    kFiles,    // one or two local files, as plain paths in `files`
    kRefused,  // places that are not local files, or more than two files
    kOther,    // anything else (text that is not a URI): the text field's own business
  };
  Kind kind = Kind::kOther;
  QStringList files;
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

 signals:
  // One or two local files were dropped on the field, in the order given.
  void filesDropped(const QStringList& files);

 protected:
  void dragEnterEvent(QDragEnterEvent* event) override;
  void dragMoveEvent(QDragMoveEvent* event) override;
  void dropEvent(QDropEvent* event) override;

 private:
  // True when the field deals with the drag itself rather than as text.
  bool takeDrag(QDropEvent* event, const varnel::DropOffer& offer);
};
