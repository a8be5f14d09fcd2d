# Which layer of src/ may include which: each entry is a folder of src/ and the folders it may
# include from besides its own; "resources" is the program's own skin block, built from the
# repository's resources/ folder. A file belongs to the longest entry its folder starts with.
# Libraries link along these edges only, and the test command checks every include against them
# (CheckLayers.cmake).
set(SPV_LAYERS
  "base:"
  "resources:"
  "db:base"
  "platform:base"
  "skin/resources:base platform"
  "skin/frame:base platform skin/resources"
  "skin/controls:base platform skin/resources skin/frame"
  "skin/dialogs:base platform skin/resources skin/frame skin/controls"
  "app:base db platform skin/resources skin/frame skin/controls skin/dialogs resources"
  "tools:base db app skin/resources")
