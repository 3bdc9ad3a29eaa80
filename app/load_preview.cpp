// The thumbnail preview: the current photo's thumbnail, decoded by the
// system's own decoder, as a 24-bit bitmap painted at the preview control.
#include "app/gallery_editor_dlg.h"
#include "jpeg/bgr_rows.h"
#include "jpeg/jpeg_decoder.h"
#include "platform/raw_file.h"

void CGalleryEditorDlg::LoadPreview() {
  std::string path = paths::kThumbnailPrefix + state_.currentPhotoName;
  // One byte more than the buffer holds tells a thumbnail that does not fit.
  auto data = platform::ReadHead(path, kThumbnailBufferSize + 1);
  imageWidth_ = imageHeight_ = 0;
  red_.reset();
  green_.reset();
  blue_.reset();
  // A thumbnail that is missing, cannot be read, is too large for the buffer
  // or does not decode shows no picture; the previous photo's picture must
  // not stay either. Ending the dialog here would lock the user out of ②,
  // the step that makes the missing thumbnail.
  preview_.Clear();
  if (data && data->size() <= kThumbnailBufferSize) {
    state_.thumbnail = std::move(*data);
    BuildPreviewBitmap();
  } else {
    state_.thumbnail.clear();
  }
  ui_.Invalidate();
}

void CGalleryEditorDlg::BuildPreviewBitmap() {
  CJpegDecoder decoder;
  if (decoder.LoadFromMemory(state_.thumbnail.data(), state_.thumbnail.size()) != kDecoderOk)
    return;
  if (decoder.Decode() != kDecoderOk) return;
  decoder.GetImage(red_, green_, blue_, imageWidth_, imageHeight_);

  if (std::unique_ptr<std::uint8_t[]> rows =
          BgrRows(red_.get(), green_.get(), blue_.get(), imageWidth_, imageHeight_))
    preview_.Create(imageWidth_, imageHeight_, 24, rows.get(), nullptr);
  // The bitmap keeps its own copy: the planes are no longer needed.
  red_.reset();
  green_.reset();
  blue_.reset();
}

bool CGalleryEditorDlg::PaintPreview(DibPainter& previewControl) const {
  return preview_.Paint(previewControl, 0, 0);
}
