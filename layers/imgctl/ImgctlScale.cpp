// Smooth scaling of a picture: two separable passes (rows, then columns) with precomputed integer weights.
#include "ImgctlPicture.h"

#include <math.h>

namespace Imgctl {

namespace {

const int kWeightOne = 1 << 14;

// The source pixels and weights that make up each target position along one axis.
struct Taps {
    int* First;    // per target: first source index
    int* Count;    // per target: number of source pixels
    int* Weights;  // per target: MaxCount weights from Weights + target * MaxCount, summing to kWeightOne
    int MaxCount;
};

void* Alloc(size_t bytes)
{
    return HeapAlloc(GetProcessHeap(), 0, bytes);
}

void Free(void* block)
{
    if (block)
        HeapFree(GetProcessHeap(), 0, block);
}

void FreeTaps(Taps* taps)
{
    Free(taps->First);
    Free(taps->Count);
    Free(taps->Weights);
}

bool MakeTaps(int source, int target, Taps* taps)
{
    double scale = (double)source / target;
    double radius = scale > 1.0 ? scale : 1.0;
    taps->MaxCount = (int)ceil(radius) * 2 + 1;
    taps->First = (int*)Alloc(sizeof(int) * target);
    taps->Count = (int*)Alloc(sizeof(int) * target);
    taps->Weights = (int*)Alloc(sizeof(int) * (size_t)target * taps->MaxCount);
    if (!taps->First || !taps->Count || !taps->Weights) {
        FreeTaps(taps);
        return false;
    }
    for (int t = 0; t < target; t++) {
        double center = (t + 0.5) * scale - 0.5;
        int first = (int)floor(center - radius) + 1;
        int last = (int)ceil(center + radius) - 1;
        if (first < 0)
            first = 0;
        if (last > source - 1)
            last = source - 1;
        if (last - first + 1 > taps->MaxCount)
            last = first + taps->MaxCount - 1;
        int* weights = taps->Weights + (size_t)t * taps->MaxCount;
        double total = 0;
        for (int s = first; s <= last; s++) {
            double w = 1.0 - fabs(s - center) / radius;
            total += w > 0 ? w : 0;
        }
        int sum = 0;
        int count = 0;
        for (int s = first; s <= last; s++) {
            double w = 1.0 - fabs(s - center) / radius;
            int weight = total > 0 ? (int)(((w > 0 ? w : 0) / total) * kWeightOne + 0.5) : 0;
            weights[count++] = weight;
            sum += weight;
        }
        if (count == 0) {
            // The nearest pixel alone (a centre outside the source, which only rounding makes).
            first = center < 0 ? 0 : source - 1;
            weights[count++] = 0;
        }
        // Rounding leftovers go to the centre tap, so a plain area stays exactly its colour.
        int middle = (int)floor(center + 0.5) - first;
        if (middle < 0)
            middle = 0;
        if (middle >= count)
            middle = count - 1;
        weights[middle] += kWeightOne - sum;
        taps->First[t] = first;
        taps->Count[t] = count;
    }
    return true;
}

BYTE Clamp(int value)
{
    value = (value + kWeightOne / 2) / kWeightOne;
    return (BYTE)(value < 0 ? 0 : value > 255 ? 255 : value);
}

}  // namespace

Picture* ScalePicture(const Picture* source, int width, int height)
{
    if (!source || width <= 0 || height <= 0 || width > kMaxSide || height > kMaxSide)
        return nullptr;
    int sourceWidth = source->Header.biWidth;
    int sourceHeight = source->Header.biHeight;
    Picture* target = NewPicture(width, height);
    if (!target)
        return nullptr;
    Taps across = {};
    Taps down = {};
    // The rows pass: every source row at the target width.
    int middleStride = RowStride(width);
    BYTE* middle = (BYTE*)Alloc((size_t)middleStride * sourceHeight);
    if (!middle || !MakeTaps(sourceWidth, width, &across) || !MakeTaps(sourceHeight, height, &down)) {
        Free(middle);
        FreeTaps(&across);
        FreePicture(target);
        return nullptr;
    }
    int sourceStride = RowStride(sourceWidth);
    for (int y = 0; y < sourceHeight; y++) {
        const BYTE* in = source->Bits + (size_t)y * sourceStride;
        BYTE* out = middle + (size_t)y * middleStride;
        for (int x = 0; x < width; x++) {
            const int* weights = across.Weights + (size_t)x * across.MaxCount;
            const BYTE* pixel = in + across.First[x] * 3;
            int b = 0, g = 0, r = 0;
            for (int i = 0; i < across.Count[x]; i++, pixel += 3) {
                b += pixel[0] * weights[i];
                g += pixel[1] * weights[i];
                r += pixel[2] * weights[i];
            }
            out[x * 3] = Clamp(b);
            out[x * 3 + 1] = Clamp(g);
            out[x * 3 + 2] = Clamp(r);
        }
    }
    // The columns pass into the target.
    int targetStride = RowStride(width);
    for (int y = 0; y < height; y++) {
        const int* weights = down.Weights + (size_t)y * down.MaxCount;
        BYTE* out = target->Bits + (size_t)y * targetStride;
        for (int x = 0; x < width * 3; x++) {
            const BYTE* pixel = middle + (size_t)down.First[y] * middleStride + x;
            int sum = 0;
            for (int i = 0; i < down.Count[y]; i++, pixel += middleStride)
                sum += *pixel * weights[i];
            out[x] = Clamp(sum);
        }
    }
    Free(middle);
    FreeTaps(&across);
    FreeTaps(&down);
    return target;
}

}  // namespace Imgctl
