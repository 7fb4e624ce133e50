// The root of the class tree: TObject, and TPersistent with the Assign protocol.
// They live at the bottom of the host layer because fonts, pens and brushes are
// persistent objects too.
#pragma once

#include <functional>
#include <stdexcept>
#include <string>

namespace host {

// Every host exception derives from this one.
class Exception : public std::runtime_error {
 public:
  using std::runtime_error::runtime_error;
};
// Raised by TPersistent::Assign when neither side knows how to copy.
class EConvertError : public Exception {
 public:
  using Exception::Exception;
};
// Raised for an operation the object's state does not allow.
class EInvalidOperation : public Exception {
 public:
  using Exception::Exception;
};
// Raised when a resource (window, timer, font) cannot be had.
class EOutOfResources : public Exception {
 public:
  using Exception::Exception;
};

class TObject {
 public:
  TObject() = default;
  TObject(const TObject&) = delete;
  TObject& operator=(const TObject&) = delete;
  virtual ~TObject() = default;
  // Class name as the platform shows it in messages ("TNumLab").
  virtual std::string ClassName() const { return "TObject"; }
};

using TNotifyEvent = std::function<void(TObject* Sender)>;

class TPersistent : public TObject {
 public:
  // Copies Source into this object. The default asks Source->AssignTo(this) and
  // raises EConvertError ("Cannot assign a X to a Y") when that fails too.
  virtual void Assign(TPersistent* Source);
  // Copies this object into Dest; the default raises the "cannot assign" error.
  virtual void AssignTo(TPersistent* Dest);
  std::string ClassName() const override { return "TPersistent"; }

 private:
  [[noreturn]] void AssignError(TPersistent* Source);
};

}  // namespace host
