// Panels and paint boxes.
#pragma once

#include <string>

#include "host/ui/Controls.h"

namespace host {

// A container with 3-D bevels and a caption. From the outside in: the border
// (BorderStyle bsSingle: a sunken edge outside the client area), the outer bevel,
// BorderWidth pixels of Color, the inner bevel, then the face with the caption.
// With ParentBackground on (the default) the face shows the parent's background
// instead of Color; switch it off to see Color.
class TCustomPanel : public TCustomControl {
 public:
  explicit TCustomPanel(TComponent* AOwner);

  // The panel draws these, with defaults of its own; they stand in for the
  // stored-only bevel of TWinControl.
  TBevelCut BevelInner() const { return FBevelInner; }
  void SetBevelInner(TBevelCut v);
  TBevelCut BevelOuter() const { return FBevelOuter; }
  void SetBevelOuter(TBevelCut v);
  TBevelWidth BevelWidth() const { return FBevelWidth; }
  void SetBevelWidth(TBevelWidth v);  // at least 1
  int BorderWidth() const { return FBorderWidth; }
  void SetBorderWidth(int v);  // not negative
  TBorderStyle BorderStyle() const { return FBorderStyle; }
  void SetBorderStyle(TBorderStyle v);  // bsNone or bsSingle
  TAlignment Alignment() const { return FAlignment; }
  void SetAlignment(TAlignment v);
  TVerticalAlignment VerticalAlignment() const { return FVerticalAlignment; }
  void SetVerticalAlignment(TVerticalAlignment v);
  bool ShowCaption() const { return FShowCaption; }
  void SetShowCaption(bool v);

  // Inside the bsSingle border: children live and clip there.
  TRect ClientRect() const override;
  std::string ClassName() const override { return "TCustomPanel"; }

 protected:
  void Paint() override;
  // Passes the form's dialog keys (Return, Escape) and characters on to the
  // panel's children, so default and cancel buttons on a panel work.
  void DefaultHandler(TMessage& Message) override;

 private:
  TBevelCut FBevelInner = bvNone;
  TBevelCut FBevelOuter = bvRaised;
  TBevelWidth FBevelWidth = 1;
  int FBorderWidth = 0;
  TBorderStyle FBorderStyle = bsNone;
  TAlignment FAlignment = taCenter;
  TVerticalAlignment FVerticalAlignment = taVerticalCenter;
  bool FShowCaption = true;
  void Changed();
};

class TPanel : public TCustomPanel {
 public:
  explicit TPanel(TComponent* AOwner) : TCustomPanel(AOwner) {}
  std::string ClassName() const override { return "TPanel"; }
};

// A graphic control whose drawing is OnPaint's, on Canvas().
class TPaintBox : public TGraphicControl {
 public:
  explicit TPaintBox(TComponent* AOwner);
  const TNotifyEvent& OnPaint() const { return FOnPaint; }
  void SetOnPaint(TNotifyEvent e) { FOnPaint = std::move(e); }
  std::string ClassName() const override { return "TPaintBox"; }

 protected:
  void Paint() override;

 private:
  TNotifyEvent FOnPaint;
};

}  // namespace host
