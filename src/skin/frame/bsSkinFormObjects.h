#pragma once
// The frame objects: the active pieces of a skinned window frame that the skin describes in
// [SKINOBJECTS] (caption text areas, caption buttons, animated buttons, pieces the program
// paints). Each has a place in window coordinates, draws its normal, lit, pressed, disabled,
// inactive, morphing or animated look, and turns the pointer handling of its frame into
// enter, leave, press and release. The frame owns them and rebuilds the list as a whole.

#include <windows.h>

#include "platform/Controls.h"
#include "platform/Graphics.h"
#include "platform/Menus.h"
#include "skin/frame/bsSkinFormLayout.h"
#include "skin/resources/bsSkinDataObjects.h"
#include "skin/resources/bsUtilsWin.h"

#include <string>

namespace bs {

class TbsSkinForm;

// The key groups of the descriptions (TbsObjectKeys and the others) are copied from the
// description as a whole. An ActivePictureIndex of -1 or out of range means no active picture
// (and no active look).
class TbsActiveSkinObject : public spv::platform::TObject, public TbsObjectKeys {
 public:
  // `data` is the description the object is made from; null for the built-in buttons.
  TbsActiveSkinObject(TbsSkinForm& owner, const TbsDataSkinObject* data);
  std::string_view ClassName() const override { return "TbsActiveSkinObject"; }

  // Lit and not yet fully morphed in, or not lit and not yet fully morphed out.
  bool IsMorphPending() const;
  // Draws the object at ObjectRect on `canvas`. With updateAll false an object whose image is
  // part of the main picture draws only a look other than its normal one (the frame's strips
  // already show that).
  virtual void Draw(spv::platform::TCanvas& canvas, bool updateAll);
  virtual void DblClick() {}
  virtual void MouseDown(spv::platform::TMouseButton button, int x, int y);
  virtual void MouseUp(spv::platform::TMouseButton button, int x, int y);
  virtual void MouseMove(int x, int y);
  virtual void MouseEnter();
  virtual void MouseLeave();

  // Morphing allowed: the description asks for it, a skin is loaded and effects are on.
  bool CanMorph() const;
  // Back to the normal look: not hot, not lit, morphed out. True when the look changed.
  virtual bool ResetLook();

  TbsSkinForm& Owner;
  std::string IDName;
  double MorphValue = 0;
  bool Hot = false;   // the pointer is over it
  bool Lit = false;   // it shows its active look
  bool Enabled = true;
  bool Visible = true;
  // In window coordinates; starts as SkinRect.
  TRect ObjectRect;

 protected:
  // The picture its normal look comes from: the active picture when SkinRectInAPicture, else
  // the main picture. Null when there is none.
  const TbsFBitmap* NormalPicture() const;
  const TbsFBitmap* ActivePicture() const;
  // Copies `source` of `picture` onto ObjectRect of the canvas (stretched to its size).
  void DrawPiece(spv::platform::TCanvas& canvas, const TbsFBitmap* picture, const TRect& source) const;
  // Blends `from` towards `to` of the active picture (or `from` of `fromPicture`) by MorphValue
  // with MorphKind and draws the result at ObjectRect.
  void DrawMorph(spv::platform::TCanvas& canvas, const TbsFBitmap* fromPicture, const TRect& from,
                 const TbsFBitmap* toPicture, const TRect& to) const;
  // Draws the object look: inactive, morph, lit or normal, in that order of choice.
  void DrawObjectLook(spv::platform::TCanvas& canvas, bool updateAll);
  // A look change: the morph timer when morphing is allowed, else a redraw now.
  void ChangeLook();
};

// A piece painted by the program through the frame's OnPaintEvent.
class TbsUserObject : public TbsActiveSkinObject {
 public:
  using TbsActiveSkinObject::TbsActiveSkinObject;
  std::string_view ClassName() const override { return "TbsUserObject"; }
  void Draw(spv::platform::TCanvas& canvas, bool updateAll) override;
};

class TbsSkinButtonObject : public TbsActiveSkinObject, public TbsButtonKeys {
 public:
  TbsSkinButtonObject(TbsSkinForm& owner, const TbsDataSkinButton* data);
  std::string_view ClassName() const override { return "TbsSkinButtonObject"; }

  void Draw(spv::platform::TCanvas& canvas, bool updateAll) override;
  void MouseDown(spv::platform::TMouseButton button, int x, int y) override;
  void MouseUp(spv::platform::TMouseButton button, int x, int y) override;
  void MouseEnter() override;
  void MouseLeave() override;
  // Sets the pressed flag and redraws.
  virtual void SetPressed(bool value);

  bool Pressed = false;
  bool PopupUp = false;
  // The root item of a drop-down menu (the system menu's), or none.
  spv::platform::TMenuItem* MenuItem = nullptr;

 protected:
  // The button look: disabled, pressed, else the object look.
  void DrawButtonLook(spv::platform::TCanvas& canvas, bool updateAll);
};

class TbsSkinStdButtonObject : public TbsSkinButtonObject, public TbsRestoreKeys {
 public:
  // `data` null: a button of the built-in set, drawn in the built-in look.
  TbsSkinStdButtonObject(TbsSkinForm& owner, const TbsDataSkinStdButton* data);
  std::string_view ClassName() const override { return "TbsSkinStdButtonObject"; }

  void Draw(spv::platform::TCanvas& canvas, bool updateAll) override;
  void MouseDown(spv::platform::TMouseButton button, int x, int y) override;
  void MouseUp(spv::platform::TMouseButton button, int x, int y) override;
  void DblClick() override;
  // Runs the command on the frame's window.
  void ExecuteCommand();
  // The command is in its reversed state: maximise while maximised, minimise while
  // minimised, roll up while rolled up.
  bool Reversed() const;

  TbsStdCommand Command = TbsStdCommand::cmDefault;
  bool Described = false;
};

// The caption keys (TbsDataCaptionKeys) are copied from the description.
class TbsSkinCaptionObject : public TbsActiveSkinObject, public TbsDataCaptionKeys {
 public:
  TbsSkinCaptionObject(TbsSkinForm& owner, const TbsDataSkinCaption* data);
  std::string_view ClassName() const override { return "TbsSkinCaptionObject"; }

  void Draw(spv::platform::TCanvas& canvas, bool updateAll) override;
  // A caption's lit flag follows the form's activity, not the pointer.
  void MouseEnter() override;
  void MouseLeave() override;

  // Animation: true when the caption has frames and effects are on.
  bool CanAnimate() const;
  // Starts the caption animation for activation (frame 1) or deactivation.
  void StartAnimation(bool active);
  // One 25 ms tick; true while the animation runs (counting towards the next frame or moving
  // to it and redrawing), false when there is nothing left to show.
  bool AnimationTick();

  int CurrentFrame = 0;
  int AnimationCounter = 0;  // milliseconds counted towards AnimateInterval

 private:
  // The text rect relative to ObjectRect.
  TRect TextRectIn(const TRect& object) const;
  void DrawText(HDC dc, int x, int y, const std::wstring& text);
};

// A caption button drawn from a strip of animation frames.
class TbsSkinAnimateObject : public TbsActiveSkinObject, public TbsAnimateKeys, public TbsRestoreKeys {
 public:
  TbsSkinAnimateObject(TbsSkinForm& owner, const TbsDataSkinAnimate* data);
  std::string_view ClassName() const override { return "TbsSkinAnimateObject"; }

  void Draw(spv::platform::TCanvas& canvas, bool updateAll) override;
  void MouseDown(spv::platform::TMouseButton button, int x, int y) override;
  void MouseUp(spv::platform::TMouseButton button, int x, int y) override;
  void MouseEnter() override;
  void MouseLeave() override;
  bool ResetLook() override;
  // One 25 ms tick; true while the strip plays (counting towards the next frame or moving to
  // it and redrawing), false when it rests on its last frame (first when leaving).
  bool AnimationTick();

  int CurrentFrame = 1;
  int AnimationCounter = 0;
  bool Pressed = false;
  // Plays forwards (the pointer is over it) or back to frame 1.
  bool Increment = false;
};

}  // namespace bs
