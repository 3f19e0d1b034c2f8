#pragma once
// Which of the images drawn for several display scales a window shows at a
// given DPI, and under which resource identifier that image is built in.
//
// The glyphs, menu images and page images of the options window are drawn at
// 100, 125, 150 and 200 % (a 16-pixel image is 16, 20, 24 and 32 pixels
// wide). The 100 % image keeps its identifier from resource.h; the image at
// step k (1 = 125 %, 2 = 150 %, 3 = 200 %) is that identifier + 1000 * k.
// A DPI between two drawn scales takes the smaller image, which stays sharp
// where a stretched one would blur: 168 DPI (175 %) shows the 150 % images.
// Below 96 DPI the 100 % images are shown.

namespace wisplet {

constexpr int kImageScaleSteps = 4;
constexpr int kImageScalePercent[kImageScaleSteps] = {100, 125, 150, 200};
constexpr int kImageScaleIdStride = 1000;

// The step of the largest drawn scale at or below the DPI's own (96 DPI is 100 %).
constexpr int ImageScaleStep(int dpi) {
  int step = 0;
  for (int k = 1; k < kImageScaleSteps; ++k)
    if (dpi >= kImageScalePercent[k] * 96 / 100) step = k;
  return step;
}

constexpr int ImageScalePercent(int dpi) { return kImageScalePercent[ImageScaleStep(dpi)]; }

// The width of an image that is `side` pixels wide at 100 %, as drawn for the DPI.
constexpr int ScaledImageSide(int side, int dpi) { return side * ImageScalePercent(dpi) / 100; }

// The resource identifier of the image `id` (from resource.h) as drawn for the DPI.
constexpr int ScaledImageId(int id, int dpi) { return id + kImageScaleIdStride * ImageScaleStep(dpi); }

}  // namespace wisplet
