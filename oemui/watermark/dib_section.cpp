#include "oemui/watermark/dib_section.h"

#include <algorithm>
#include <cstring>
#include <new>

#if defined(__SSE2__)
#include <emmintrin.h>
#endif
#if defined(__SSE2__) && (defined(__x86_64__) || defined(__i386__)) && defined(__GNUC__)
// SSSE3's byte shuffle, for the processors that have it (all but the
// oldest x86-64 ones); chosen at run time.
#include <tmmintrin.h>
#define KVT_BLEND_SSSE3 1
// AVX2 does the same with two groups of sixteen pixels side by side.
#include <immintrin.h>
#endif

#include "oemui/watermark/tiff_reader.h"
#include "platform/module_resources.h"
#include "platform/service.h"

namespace kvt {
namespace {

bool SupportedDepth(int bits) {
  return bits == 1 || bits == 4 || bits == 8 || bits == 24 || bits == 32;
}

bool SupportedRop(std::uint32_t rop) {
  return rop == kRopSrcCopy || rop == kRopSrcPaint || rop == kRopSrcAnd || rop == kRopSrcInvert ||
         rop == kRopNotSrcCopy;
}

// d[i] = op(s[i], d[i]) over |count| bytes, eight at a time: the previews
// put their masks and marks on after every change.
template <class Op>
void CombineBytes(const std::uint8_t* s, std::uint8_t* d, std::size_t count, Op op) {
  std::size_t i = 0;
  for (; i + 8 <= count; i += 8) {
    std::uint64_t a;
    std::uint64_t b;
    std::memcpy(&a, s + i, 8);
    std::memcpy(&b, d + i, 8);
    b = op(a, b);
    std::memcpy(d + i, &b, 8);
  }
  for (; i < count; ++i) d[i] = static_cast<std::uint8_t>(op(s[i], d[i]));
}

std::uint8_t ApplyRop(std::uint32_t rop, std::uint8_t source, std::uint8_t destination) {
  switch (rop) {
    case kRopSrcPaint:
      return source | destination;
    case kRopSrcAnd:
      return source & destination;
    case kRopSrcInvert:
      return source ^ destination;
    case kRopNotSrcCopy:
      return static_cast<std::uint8_t>(~source);
    default:
      return source;
  }
}

// The colour-table index of pixel |x| of a 1- or 4-bit row.
std::uint8_t PackedIndex(const std::uint8_t* row, int x, int bits) {
  if (bits == 1) return (row[x / 8] >> (7 - x % 8)) & 1;
  return (row[x / 2] >> (x % 2 == 0 ? 4 : 0)) & 0x0F;
}

void SetPackedIndex(std::uint8_t* row, int x, int bits, std::uint8_t index) {
  if (bits == 1) {
    const int shift = 7 - x % 8;
    row[x / 8] = static_cast<std::uint8_t>((row[x / 8] & ~(1 << shift)) | ((index & 1) << shift));
  } else {
    const int shift = x % 2 == 0 ? 4 : 0;
    row[x / 2] =
        static_cast<std::uint8_t>((row[x / 2] & ~(0x0F << shift)) | ((index & 0x0F) << shift));
  }
}

// Blue, green and red of pixel |x| of a row of |image|.
void PixelColour(const CMyDibSection2& image, const std::uint8_t* row, int x, std::uint8_t bgr[3]) {
  const int bits = image.bits_per_pixel();
  if (bits >= 24) {
    std::memcpy(bgr, row + static_cast<std::size_t>(x) * (bits / 8), 3);
    return;
  }
  const std::uint8_t index = bits == 8 ? row[x] : PackedIndex(row, x, bits);
  const RgbQuad& entry = image.colours()[index];
  bgr[0] = entry.blue;
  bgr[1] = entry.green;
  bgr[2] = entry.red;
}

// One straight-alpha pixel over one destination pixel: alpha 0 keeps it,
// 255 replaces it, anything between mixes and truncates.
inline void BlendPixel(const std::uint8_t* s, std::uint8_t* d) {
  const unsigned alpha = s[3];
  if (alpha == 0) return;
  const unsigned blue = s[0], green = s[1], red = s[2];
  if (alpha == 255) {
    d[0] = static_cast<std::uint8_t>(blue);
    d[1] = static_cast<std::uint8_t>(green);
    d[2] = static_cast<std::uint8_t>(red);
    return;
  }
  const unsigned rest = 255 - alpha;
  const unsigned old_blue = d[0], old_green = d[1], old_red = d[2];
  d[0] = static_cast<std::uint8_t>((blue * alpha + old_blue * rest) >> 8);
  d[1] = static_cast<std::uint8_t>((green * alpha + old_green * rest) >> 8);
  d[2] = static_cast<std::uint8_t>((red * alpha + old_red * rest) >> 8);
}

#if defined(__SSE2__)
// Four pixels at once in 16-bit lanes. a x s + (255 - a) x d is at most
// 255 x 255, so no lane overflows; adding d when a is 0 and s when a is 255
// makes those two sums 256 d and 256 s, so one shift gives every case.
inline __m128i BlendLanes(__m128i colour, __m128i below) {
  const __m128i zero = _mm_setzero_si128();
  const __m128i full = _mm_set1_epi16(255);
  __m128i halves[2];
  for (int h = 0; h < 2; ++h) {
    const __m128i s = h == 0 ? _mm_unpacklo_epi8(colour, zero) : _mm_unpackhi_epi8(colour, zero);
    const __m128i d = h == 0 ? _mm_unpacklo_epi8(below, zero) : _mm_unpackhi_epi8(below, zero);
    const __m128i alpha = _mm_shufflehi_epi16(_mm_shufflelo_epi16(s, 0xFF), 0xFF);
    const __m128i exact = _mm_add_epi16(_mm_and_si128(_mm_cmpeq_epi16(alpha, full), s),
                                        _mm_and_si128(_mm_cmpeq_epi16(alpha, zero), d));
    const __m128i sum = _mm_add_epi16(
        _mm_add_epi16(_mm_mullo_epi16(s, alpha), _mm_mullo_epi16(d, _mm_sub_epi16(full, alpha))),
        exact);
    halves[h] = _mm_srli_epi16(sum, 8);
  }
  return _mm_packus_epi16(halves[0], halves[1]);
}

// Moves the bytes of a 16-byte value |count| places up (positive) or down
// (negative); SSE2 takes the count only as a constant.
template <int kCount>
__m128i ShiftBytes(__m128i value) {
  if constexpr (kCount > 0) return _mm_slli_si128(value, kCount);
  if constexpr (kCount < 0) return _mm_srli_si128(value, -kCount);
  return value;
}

// The 24-bit pixel |kPixel| of a 12-byte group, moved to its own 4-byte
// slot (kFrom 3) or back (kFrom 4).
template <int kPixel, int kFrom, int kTo>
__m128i MovePixel(__m128i value) {
  constexpr int kFirst = kTo * kPixel;
  // Byte |i| of the mask is set when it is one of the pixel's three bytes.
  constexpr auto on = [](int i) {
    return static_cast<char>(i >= kFirst && i < kFirst + 3 ? -1 : 0);
  };
  const __m128i mask = _mm_setr_epi8(on(0), on(1), on(2), on(3), on(4), on(5), on(6), on(7), on(8),
                                     on(9), on(10), on(11), on(12), on(13), on(14), on(15));
  return _mm_and_si128(ShiftBytes<(kTo - kFrom) * kPixel>(value), mask);
}

template <int kFrom, int kTo>
__m128i MovePixels(__m128i value) {
  return _mm_or_si128(
      _mm_or_si128(MovePixel<0, kFrom, kTo>(value), MovePixel<1, kFrom, kTo>(value)),
      _mm_or_si128(MovePixel<2, kFrom, kTo>(value), MovePixel<3, kFrom, kTo>(value)));
}

// Four pixels of a 32-bit picture over four pixels of a 24- or 32-bit one.
// 24-bit pixels are spread into 4-byte slots for the blend and packed
// again; a 32-bit destination keeps its own alpha.
template <std::size_t kStep>
void BlendQuad(const std::uint8_t* source, std::uint8_t* destination) {
  const __m128i colour = _mm_loadu_si128(reinterpret_cast<const __m128i*>(source));
  if constexpr (kStep == 4) {
    const __m128i below = _mm_loadu_si128(reinterpret_cast<const __m128i*>(destination));
    const __m128i alpha = _mm_set1_epi32(static_cast<int>(0xFF000000u));
    const __m128i mixed = BlendLanes(colour, below);
    _mm_storeu_si128(reinterpret_cast<__m128i*>(destination),
                     _mm_or_si128(_mm_andnot_si128(alpha, mixed), _mm_and_si128(alpha, below)));
  } else {
    std::int32_t tail;
    std::memcpy(&tail, destination + 8, 4);
    const __m128i packed = _mm_unpacklo_epi64(
        _mm_loadl_epi64(reinterpret_cast<const __m128i*>(destination)), _mm_cvtsi32_si128(tail));
    const __m128i mixed = MovePixels<4, 3>(BlendLanes(colour, MovePixels<3, 4>(packed)));
    _mm_storel_epi64(reinterpret_cast<__m128i*>(destination), mixed);
    tail = _mm_cvtsi128_si32(_mm_srli_si128(mixed, 8));
    std::memcpy(destination + 8, &tail, 4);
  }
}
#endif

#if defined(KVT_BLEND_SSSE3)
// The blend of BlendLanes with weights instead of corrections: the colour
// weighs alpha, the destination 255 - alpha, except that alpha 255 weighs
// the colour 256 and alpha 0 the destination 256, so one shift is exact in
// every case. No lane passes 255 x 256.
__attribute__((target("ssse3"))) inline __m128i BlendLanesSsse3(__m128i colour, __m128i below) {
  const __m128i zero = _mm_setzero_si128();
  const __m128i full = _mm_set1_epi16(255);
  // Each pixel's alpha in the 16-bit lanes of its four bytes.
  const __m128i spread_alpha[2] = {
      _mm_setr_epi8(3, -1, 3, -1, 3, -1, 3, -1, 7, -1, 7, -1, 7, -1, 7, -1),
      _mm_setr_epi8(11, -1, 11, -1, 11, -1, 11, -1, 15, -1, 15, -1, 15, -1, 15, -1)};
  __m128i halves[2];
  for (int h = 0; h < 2; ++h) {
    const __m128i s = h == 0 ? _mm_unpacklo_epi8(colour, zero) : _mm_unpackhi_epi8(colour, zero);
    const __m128i d = h == 0 ? _mm_unpacklo_epi8(below, zero) : _mm_unpackhi_epi8(below, zero);
    const __m128i alpha = _mm_shuffle_epi8(colour, spread_alpha[h]);
    const __m128i colour_weight = _mm_sub_epi16(alpha, _mm_cmpeq_epi16(alpha, full));
    const __m128i below_weight =
        _mm_sub_epi16(_mm_sub_epi16(full, alpha), _mm_cmpeq_epi16(alpha, zero));
    halves[h] = _mm_srli_epi16(
        _mm_add_epi16(_mm_mullo_epi16(s, colour_weight), _mm_mullo_epi16(d, below_weight)), 8);
  }
  return _mm_packus_epi16(halves[0], halves[1]);
}

// BlendQuad with one shuffle each way between 3- and 4-byte pixels.
template <std::size_t kStep>
__attribute__((target("ssse3"))) inline void BlendQuadSsse3(const std::uint8_t* source,
                                                            std::uint8_t* destination) {
  const __m128i colour = _mm_loadu_si128(reinterpret_cast<const __m128i*>(source));
  if constexpr (kStep == 4) {
    const __m128i below = _mm_loadu_si128(reinterpret_cast<const __m128i*>(destination));
    const __m128i alpha = _mm_set1_epi32(static_cast<int>(0xFF000000u));
    const __m128i mixed = BlendLanesSsse3(colour, below);
    _mm_storeu_si128(reinterpret_cast<__m128i*>(destination),
                     _mm_or_si128(_mm_andnot_si128(alpha, mixed), _mm_and_si128(alpha, below)));
  } else {
    std::int32_t tail;
    std::memcpy(&tail, destination + 8, 4);
    const __m128i packed = _mm_unpacklo_epi64(
        _mm_loadl_epi64(reinterpret_cast<const __m128i*>(destination)), _mm_cvtsi32_si128(tail));
    const __m128i spread = _mm_shuffle_epi8(
        packed, _mm_setr_epi8(0, 1, 2, -1, 3, 4, 5, -1, 6, 7, 8, -1, 9, 10, 11, -1));
    const __m128i mixed =
        _mm_shuffle_epi8(BlendLanesSsse3(colour, spread),
                         _mm_setr_epi8(0, 1, 2, 4, 5, 6, 8, 9, 10, 12, 13, 14, -1, -1, -1, -1));
    _mm_storel_epi64(reinterpret_cast<__m128i*>(destination), mixed);
    tail = _mm_cvtsi128_si32(_mm_srli_si128(mixed, 8));
    std::memcpy(destination + 8, &tail, 4);
  }
}

bool HasSsse3() {
  static const bool has = [] {
    __builtin_cpu_init();
    return __builtin_cpu_supports("ssse3") != 0;
  }();
  return has;
}
#endif

// The alpha bytes of two 32-bit pixels read as one 64-bit word, in
// whatever byte order the machine has.
std::uint64_t AlphaMask() {
  const std::uint8_t bytes[8] = {0, 0, 0, 0xFF, 0, 0, 0, 0xFF};
  std::uint64_t mask;
  std::memcpy(&mask, bytes, sizeof(mask));
  return mask;
}

// Blends |count| straight-alpha pixels over pixels |kStep| bytes apart,
// four at a time with |blend_quad|. Most of a text picture is transparent,
// so empty stretches are passed over four pixels at a time.
template <std::size_t kStep, void (*kBlendQuad)(const std::uint8_t*, std::uint8_t*)>
inline void BlendRowWith(const std::uint8_t* source, std::uint8_t* destination, int count) {
  static const std::uint64_t alpha_mask = AlphaMask();
  int i = 0;
  for (; count - i >= 4; i += 4) {
    const std::uint8_t* s = source + 4 * static_cast<std::size_t>(i);
    std::uint64_t quad[2];
    std::memcpy(quad, s, sizeof(quad));
    if (((quad[0] | quad[1]) & alpha_mask) == 0) continue;
    kBlendQuad(s, destination + kStep * static_cast<std::size_t>(i));
  }
  for (; i < count; ++i) {
    BlendPixel(source + 4 * static_cast<std::size_t>(i),
               destination + kStep * static_cast<std::size_t>(i));
  }
}

template <std::size_t kStep>
void BlendQuadPortable(const std::uint8_t* source, std::uint8_t* destination) {
#if defined(__SSE2__)
  BlendQuad<kStep>(source, destination);
#else
  for (int p = 0; p < 4; ++p) BlendPixel(source + 4 * p, destination + kStep * p);
#endif
}

#if defined(KVT_BLEND_SSSE3)
// BlendRowWith's loop, written out: a function of another target is not
// inlined into a plain one, and a call for every four pixels costs more
// than the shuffles save.
template <std::size_t kStep>
__attribute__((target("ssse3"))) void BlendRowSsse3(const std::uint8_t* source,
                                                    std::uint8_t* destination, int count) {
  static const std::uint64_t alpha_mask = AlphaMask();
  int i = 0;
  for (; count - i >= 4; i += 4) {
    const std::uint8_t* s = source + 4 * static_cast<std::size_t>(i);
    std::uint64_t quad[2];
    std::memcpy(quad, s, sizeof(quad));
    if (((quad[0] | quad[1]) & alpha_mask) == 0) continue;
    BlendQuadSsse3<kStep>(s, destination + kStep * static_cast<std::size_t>(i));
  }
  for (; i < count; ++i) {
    BlendPixel(source + 4 * static_cast<std::size_t>(i),
               destination + kStep * static_cast<std::size_t>(i));
  }
}
#endif

#if defined(KVT_BLEND_SSSE3)
// For sixteen pixels of a 24-bit row (three 16-byte registers) the masks
// that gather each byte's colour and alpha from the sixteen 32-bit source
// pixels (four registers): destination register k draws on source
// registers k and k + 1.
struct GatherMasks {
  alignas(16) std::int8_t colour[3][2][16];
  alignas(16) std::int8_t alpha[3][2][16];
};

GatherMasks MakeGatherMasks() {
  GatherMasks masks = {};
  for (int k = 0; k < 3; ++k) {
    for (int from = 0; from < 2; ++from) {
      for (int j = 0; j < 16; ++j) {
        const int byte = 16 * k + j;
        const int pixel = byte / 3;
        const int colour = 4 * pixel + byte % 3;
        const int alpha = 4 * pixel + 3;
        const int reg = k + from;
        masks.colour[k][from][j] = static_cast<std::int8_t>(colour / 16 == reg ? colour % 16 : -1);
        masks.alpha[k][from][j] = static_cast<std::int8_t>(alpha / 16 == reg ? alpha % 16 : -1);
      }
    }
  }
  return masks;
}

// Sixteen bytes of colour over sixteen destination bytes, each with its
// own alpha byte. SSSE3 multiplies unsigned bytes by signed ones and adds
// each pair: a x (s - 128) + (255 - a) x (d - 128) fits a signed lane, and
// adding 128 x 255 back gives a x s + (255 - a) x d. Alpha 0 and 255 then
// take the destination and the colour as they are.
__attribute__((target("ssse3"))) inline __m128i BlendBytesSsse3(__m128i colour, __m128i alpha,
                                                                __m128i below) {
  const __m128i zero = _mm_setzero_si128();
  const __m128i ones = _mm_set1_epi8(-1);
  const __m128i bias = _mm_set1_epi8(-128);
  const __m128i lift = _mm_set1_epi16(128 * 255);
  const __m128i rest = _mm_xor_si128(alpha, ones);  // 255 - alpha
  const __m128i s = _mm_xor_si128(colour, bias);    // colour - 128
  const __m128i d = _mm_xor_si128(below, bias);     // below - 128
  const __m128i low = _mm_srli_epi16(
      _mm_add_epi16(_mm_maddubs_epi16(_mm_unpacklo_epi8(alpha, rest), _mm_unpacklo_epi8(s, d)),
                    lift),
      8);
  const __m128i high = _mm_srli_epi16(
      _mm_add_epi16(_mm_maddubs_epi16(_mm_unpackhi_epi8(alpha, rest), _mm_unpackhi_epi8(s, d)),
                    lift),
      8);
  const __m128i mixed = _mm_packus_epi16(low, high);
  const __m128i opaque = _mm_cmpeq_epi8(alpha, ones);
  const __m128i clear = _mm_cmpeq_epi8(alpha, zero);
  const __m128i kept = _mm_or_si128(_mm_and_si128(opaque, colour), _mm_andnot_si128(opaque, mixed));
  return _mm_or_si128(_mm_and_si128(clear, below), _mm_andnot_si128(clear, kept));
}

// A 24-bit destination, sixteen pixels at a time: every lane does work,
// where four-byte pixel slots leave a quarter idle.
template <>
__attribute__((target("ssse3"))) void BlendRowSsse3<3>(const std::uint8_t* source,
                                                       std::uint8_t* destination, int count) {
  static const GatherMasks masks = MakeGatherMasks();
  const __m128i alpha_bytes = _mm_set1_epi32(static_cast<int>(0xFF000000u));
  const auto mask = [](const std::int8_t* bytes) {
    return _mm_load_si128(reinterpret_cast<const __m128i*>(bytes));
  };
  int i = 0;
  for (; count - i >= 16; i += 16) {
    const std::uint8_t* s = source + 4 * static_cast<std::size_t>(i);
    std::uint8_t* d = destination + 3 * static_cast<std::size_t>(i);
    __m128i pixels[4];
    for (int r = 0; r < 4; ++r)
      pixels[r] = _mm_loadu_si128(reinterpret_cast<const __m128i*>(s + 16 * r));
    const __m128i any =
        _mm_or_si128(_mm_or_si128(pixels[0], pixels[1]), _mm_or_si128(pixels[2], pixels[3]));
    if (_mm_movemask_epi8(_mm_cmpeq_epi32(_mm_and_si128(any, alpha_bytes), _mm_setzero_si128())) ==
        0xFFFF) {
      continue;
    }
    for (int k = 0; k < 3; ++k) {
      const __m128i colour =
          _mm_or_si128(_mm_shuffle_epi8(pixels[k], mask(masks.colour[k][0])),
                       _mm_shuffle_epi8(pixels[k + 1], mask(masks.colour[k][1])));
      const __m128i alpha = _mm_or_si128(_mm_shuffle_epi8(pixels[k], mask(masks.alpha[k][0])),
                                         _mm_shuffle_epi8(pixels[k + 1], mask(masks.alpha[k][1])));
      __m128i* at = reinterpret_cast<__m128i*>(d + 16 * k);
      _mm_storeu_si128(at, BlendBytesSsse3(colour, alpha, _mm_loadu_si128(at)));
    }
  }
  static const std::uint64_t alpha_mask = AlphaMask();
  for (; count - i >= 4; i += 4) {
    const std::uint8_t* s = source + 4 * static_cast<std::size_t>(i);
    std::uint64_t quad[2];
    std::memcpy(quad, s, sizeof(quad));
    if (((quad[0] | quad[1]) & alpha_mask) == 0) continue;
    BlendQuadSsse3<3>(s, destination + 3 * static_cast<std::size_t>(i));
  }
  for (; i < count; ++i) {
    BlendPixel(source + 4 * static_cast<std::size_t>(i),
               destination + 3 * static_cast<std::size_t>(i));
  }
}
#endif

#if defined(KVT_BLEND_SSSE3)
// BlendBytesSsse3 in both 128-bit lanes: every step works lane by lane,
// so each lane gives exactly what the SSSE3 path gives.
__attribute__((target("avx2"))) inline __m256i BlendBytesAvx2(__m256i colour, __m256i alpha,
                                                              __m256i below) {
  const __m256i zero = _mm256_setzero_si256();
  const __m256i ones = _mm256_set1_epi8(-1);
  const __m256i bias = _mm256_set1_epi8(-128);
  const __m256i lift = _mm256_set1_epi16(128 * 255);
  const __m256i rest = _mm256_xor_si256(alpha, ones);
  const __m256i s = _mm256_xor_si256(colour, bias);
  const __m256i d = _mm256_xor_si256(below, bias);
  const __m256i low = _mm256_srli_epi16(
      _mm256_add_epi16(
          _mm256_maddubs_epi16(_mm256_unpacklo_epi8(alpha, rest), _mm256_unpacklo_epi8(s, d)),
          lift),
      8);
  const __m256i high = _mm256_srli_epi16(
      _mm256_add_epi16(
          _mm256_maddubs_epi16(_mm256_unpackhi_epi8(alpha, rest), _mm256_unpackhi_epi8(s, d)),
          lift),
      8);
  const __m256i mixed = _mm256_packus_epi16(low, high);
  const __m256i opaque = _mm256_cmpeq_epi8(alpha, ones);
  const __m256i clear = _mm256_cmpeq_epi8(alpha, zero);
  const __m256i kept =
      _mm256_or_si256(_mm256_and_si256(opaque, colour), _mm256_andnot_si256(opaque, mixed));
  return _mm256_or_si256(_mm256_and_si256(clear, below), _mm256_andnot_si256(clear, kept));
}

// Two 128-bit loads as the lanes of one register.
__attribute__((target("avx2"))) inline __m256i LoadLanes(const std::uint8_t* low,
                                                         const std::uint8_t* high) {
  return _mm256_inserti128_si256(
      _mm256_castsi128_si256(_mm_loadu_si128(reinterpret_cast<const __m128i*>(low))),
      _mm_loadu_si128(reinterpret_cast<const __m128i*>(high)), 1);
}

// A 24-bit destination, thirty-two pixels at a time: pixels 0 to 15 in the
// low lanes, 16 to 31 in the high ones, gathered as BlendRowSsse3<3> does;
// the rest of the row goes to it.
__attribute__((target("avx2"))) void BlendRow24Avx2(const std::uint8_t* source,
                                                    std::uint8_t* destination, int count) {
  static const GatherMasks masks = MakeGatherMasks();
  const __m256i alpha_bytes = _mm256_set1_epi32(static_cast<int>(0xFF000000u));
  __m256i colour_masks[3][2];
  __m256i alpha_masks[3][2];
  for (int k = 0; k < 3; ++k) {
    for (int from = 0; from < 2; ++from) {
      colour_masks[k][from] = _mm256_broadcastsi128_si256(
          _mm_load_si128(reinterpret_cast<const __m128i*>(masks.colour[k][from])));
      alpha_masks[k][from] = _mm256_broadcastsi128_si256(
          _mm_load_si128(reinterpret_cast<const __m128i*>(masks.alpha[k][from])));
    }
  }
  int i = 0;
  for (; count - i >= 32; i += 32) {
    const std::uint8_t* s = source + 4 * static_cast<std::size_t>(i);
    std::uint8_t* d = destination + 3 * static_cast<std::size_t>(i);
    __m256i pixels[4];
    for (int r = 0; r < 4; ++r) pixels[r] = LoadLanes(s + 16 * r, s + 64 + 16 * r);
    const __m256i any = _mm256_or_si256(_mm256_or_si256(pixels[0], pixels[1]),
                                        _mm256_or_si256(pixels[2], pixels[3]));
    if (_mm256_testz_si256(any, alpha_bytes) != 0) continue;  // all transparent
    for (int k = 0; k < 3; ++k) {
      const __m256i colour =
          _mm256_or_si256(_mm256_shuffle_epi8(pixels[k], colour_masks[k][0]),
                          _mm256_shuffle_epi8(pixels[k + 1], colour_masks[k][1]));
      const __m256i alpha = _mm256_or_si256(_mm256_shuffle_epi8(pixels[k], alpha_masks[k][0]),
                                            _mm256_shuffle_epi8(pixels[k + 1], alpha_masks[k][1]));
      std::uint8_t* low = d + 16 * k;
      std::uint8_t* high = d + 48 + 16 * k;
      const __m256i mixed = BlendBytesAvx2(colour, alpha, LoadLanes(low, high));
      _mm_storeu_si128(reinterpret_cast<__m128i*>(low), _mm256_castsi256_si128(mixed));
      _mm_storeu_si128(reinterpret_cast<__m128i*>(high), _mm256_extracti128_si256(mixed, 1));
    }
  }
  BlendRowSsse3<3>(source + 4 * static_cast<std::size_t>(i),
                   destination + 3 * static_cast<std::size_t>(i), count - i);
}

bool HasAvx2() {
  static const bool has = [] {
    __builtin_cpu_init();
    return __builtin_cpu_supports("avx2") != 0;
  }();
  return has;
}
#endif

template <std::size_t kStep>
void BlendRow(const std::uint8_t* source, std::uint8_t* destination, int count) {
#if defined(KVT_BLEND_SSSE3)
  if constexpr (kStep == 3) {
    if (HasAvx2()) {
      BlendRow24Avx2(source, destination, count);
      return;
    }
  }
  if (HasSsse3()) {
    BlendRowSsse3<kStep>(source, destination, count);
    return;
  }
#endif
  BlendRowWith<kStep, BlendQuadPortable<kStep>>(source, destination, count);
}

}  // namespace

std::size_t DibStride(int width, int bits_per_pixel) {
  const std::size_t packed =
      (static_cast<std::size_t>(width) * static_cast<std::size_t>(bits_per_pixel) + 7) / 8;
  return (packed + 3) & ~std::size_t{3};
}

std::int32_t PixelsPerMetre(int dpi) {
  // dpi x 1000 / 25.4 in whole numbers.
  const std::int64_t value = static_cast<std::int64_t>(dpi) * 10000 / 254;
  return static_cast<std::int32_t>(std::min<std::int64_t>(value, INT32_MAX));
}

std::uint8_t DensityByte(std::uint8_t value, int percent) {
  const std::int64_t darkness = (255 - value) * static_cast<std::int64_t>(percent) / 100;
  return static_cast<std::uint8_t>(255 - std::clamp<std::int64_t>(darkness, 0, 255));
}

std::uint32_t CMyDibSection2::Create(int width, int height, int bits_per_pixel, int dpi) {
  if (width <= 0 || height <= 0 || dpi <= 0 || !SupportedDepth(bits_per_pixel))
    return kImageInvalid;
  if (!empty() && width == this->width() && height == this->height() &&
      bits_per_pixel == this->bits_per_pixel() && dpi == resolution_) {
    return kImageOk;
  }
  Free();
  const std::size_t stride = DibStride(width, bits_per_pixel);
  if (stride > kMaxImageBytes / static_cast<std::size_t>(height)) return kImageNoMemory;
  const std::size_t colour_count = bits_per_pixel <= 8 ? std::size_t{1} << bits_per_pixel : 0;
  try {
    pixels_.assign(stride * static_cast<std::size_t>(height), 0);
    colours_.resize(colour_count);
  } catch (const std::bad_alloc&) {
    Free();
    return kImageNoMemory;
  }
  // A grey ramp from black to white, so 1-bit pictures are black and white.
  for (std::size_t i = 0; i < colour_count; ++i) {
    const auto grey = static_cast<std::uint8_t>(i * 255 / (colour_count - 1));
    colours_[i] = RgbQuad{grey, grey, grey, 0};
  }
  header_ = BitmapInfoHeader();
  header_.biWidth = width;
  header_.biHeight = height;  // positive: rows stored bottom-up
  header_.biBitCount = static_cast<std::uint16_t>(bits_per_pixel);
  header_.biSizeImage = static_cast<std::uint32_t>(pixels_.size());
  header_.biXPelsPerMeter = PixelsPerMetre(dpi);
  header_.biYPelsPerMeter = header_.biXPelsPerMeter;
  header_.biClrUsed = static_cast<std::uint32_t>(colour_count);
  stride_ = stride;
  resolution_ = dpi;
  return kImageOk;
}

void CMyDibSection2::Free() {
  header_ = BitmapInfoHeader();
  std::vector<RgbQuad>().swap(colours_);
  std::vector<std::uint8_t>().swap(pixels_);
  stride_ = 0;
  resolution_ = 96;
}

std::uint32_t CMyDibSection2::CopyFrom(const CMyDibSection2& other) {
  if (&other == this) return kImageOk;
  Free();
  if (other.empty()) return kImageOk;
  try {
    *this = other;
  } catch (const std::bad_alloc&) {
    Free();
    return kImageNoMemory;
  }
  return kImageOk;
}

std::uint8_t* CMyDibSection2::RowPointer(int y) {
  return const_cast<std::uint8_t*>(static_cast<const CMyDibSection2*>(this)->RowPointer(y));
}

const std::uint8_t* CMyDibSection2::RowPointer(int y) const {
  if (empty() || y < 0 || y >= height()) return nullptr;
  return pixels_.data() + stride_ * static_cast<std::size_t>(height() - y - 1);
}

void CMyDibSection2::Fill(std::uint32_t colour) {
  if (empty()) return;
  const std::uint8_t red = colour & 0xFF;
  const std::uint8_t green = (colour >> 8) & 0xFF;
  const std::uint8_t blue = (colour >> 16) & 0xFF;
  const std::uint8_t alpha = (colour >> 24) & 0xFF;
  const int bits = bits_per_pixel();
  if (bits == 8) {
    std::memset(pixels_.data(), red, pixels_.size());
    return;
  }
  if (bits != 24 && bits != 32) return;
  const std::uint8_t pixel[4] = {blue, green, red, alpha};
  const std::size_t bytes = static_cast<std::size_t>(bits / 8);
  for (int y = 0; y < height(); ++y) {
    std::uint8_t* row = RowPointer(y);
    for (int x = 0; x < width(); ++x) std::memcpy(row + x * bytes, pixel, bytes);
  }
}

PixelView CMyDibSection2::View() const {
  PixelView view;
  view.header = &header_;
  view.colours = colours_.data();
  view.bits = const_cast<std::uint8_t*>(pixels_.data());
  return view;
}

std::uint32_t CMyDibSection2::DrawTo(DeviceContext dc, int x, int y, int width, int height,
                                     std::uint32_t rop) const {
  if (empty()) return kImageEmpty;
  width = std::min(width, this->width());
  height = std::min(height, this->height());
  if (width <= 0 || height <= 0) return kImageOk;
  ImageDevice& device = Service<ImageDevice>();
  if (bits_per_pixel() != 32) {
    return device.Draw(dc, x, y, width, height, View(), rop) ? kImageOk : kImageInvalid;
  }
  // GDI has no straight-alpha blend, so the context's pixels come back,
  // are blended here and go out again.
  CMyDibSection2 backdrop;
  const std::uint32_t created = backdrop.Create(width, height, 24, 96);
  if (created != kImageOk) return created;
  if (!device.Read(dc, x, y, backdrop.View())) return kImageInvalid;
  DrawInto(backdrop, 0, 0, width, height);
  return device.Draw(dc, x, y, width, height, backdrop.View(), kRopSrcCopy) ? kImageOk
                                                                            : kImageInvalid;
}

std::uint32_t CMyDibSection2::DrawInto(CMyDibSection2& target, int x, int y, int width, int height,
                                       std::uint32_t rop) const {
  if (empty()) return kImageEmpty;
  if (&target == this) return kImageInvalid;
  if (width <= 0 || height <= 0) return kImageOk;
  if (target.empty()) {
    const std::uint32_t created = target.Create(width, height, bits_per_pixel(), 96);
    if (created != kImageOk) return created;
  }
  const int source_bits = bits_per_pixel();
  const int target_bits = target.bits_per_pixel();
  const bool to_colour = target_bits == 24 || target_bits == 32;
  if (!SupportedRop(rop) || (!to_colour && target_bits != source_bits)) return kImageInvalid;

  // Only the pixels inside both images are drawn.
  width = std::min(width, this->width());
  height = std::min(height, this->height());
  const int first_x = std::max(0, -x);
  const int last_x = std::min(width, target.width() - x);
  const int first_y = std::max(0, -y);
  const int last_y = std::min(height, target.height() - y);
  if (first_x >= last_x || first_y >= last_y) return kImageOk;

  const std::size_t target_bytes = static_cast<std::size_t>(target_bits / 8);
  for (int sy = first_y; sy < last_y; ++sy) {
    const std::uint8_t* source = RowPointer(sy);
    std::uint8_t* destination = target.RowPointer(y + sy);
    if (source_bits == 32) {
      const std::uint8_t* s = source + static_cast<std::size_t>(first_x) * 4;
      std::uint8_t* d = destination + static_cast<std::size_t>(x + first_x) * target_bytes;
      if (target_bits == 24) {
        BlendRow<3>(s, d, last_x - first_x);
      } else {
        BlendRow<4>(s, d, last_x - first_x);
      }
    } else if (source_bits == target_bits && source_bits >= 8) {
      const std::size_t bytes = static_cast<std::size_t>(source_bits / 8);
      const std::uint8_t* s = source + first_x * bytes;
      std::uint8_t* d = destination + (x + first_x) * bytes;
      const std::size_t count = (last_x - first_x) * bytes;
      if (rop == kRopSrcCopy) {
        std::memcpy(d, s, count);
      } else if (rop == kRopSrcAnd) {
        CombineBytes(s, d, count, [](std::uint64_t a, std::uint64_t b) { return a & b; });
      } else if (rop == kRopSrcPaint) {
        CombineBytes(s, d, count, [](std::uint64_t a, std::uint64_t b) { return a | b; });
      } else {
        for (std::size_t i = 0; i < count; ++i) d[i] = ApplyRop(rop, s[i], d[i]);
      }
    } else if (source_bits == target_bits) {
      const std::uint8_t mask = source_bits == 1 ? 0x01 : 0x0F;
      for (int sx = first_x; sx < last_x; ++sx) {
        const std::uint8_t index = ApplyRop(rop, PackedIndex(source, sx, source_bits),
                                            PackedIndex(destination, x + sx, source_bits)) &
                                   mask;
        SetPackedIndex(destination, x + sx, source_bits, index);
      }
    } else {
      for (int sx = first_x; sx < last_x; ++sx) {
        std::uint8_t bgr[3];
        PixelColour(*this, source, sx, bgr);
        std::uint8_t* d = destination + static_cast<std::size_t>(x + sx) * target_bytes;
        for (int c = 0; c < 3; ++c) d[c] = ApplyRop(rop, bgr[c], d[c]);
      }
    }
  }
  return kImageOk;
}

std::uint32_t CMyDibSection2::LoadPicture(ModuleHandle module, std::uint32_t id) {
  BitmapPixels bitmap;
  if (!Service<ModuleResources>().LoadBitmapPixels(module, id, &bitmap)) return kImageInvalid;
  const std::uint32_t created = Create(bitmap.width, bitmap.height, 24, 96);
  if (created != kImageOk) return created;
  if (bitmap.rows.size() < pixels_.size()) {
    Free();
    return kImageInvalid;
  }
  Fill(0x00FFFFFF);
  std::memcpy(pixels_.data(), bitmap.rows.data(), pixels_.size());
  return kImageOk;
}

std::uint32_t CMyDibSection2::LoadTiffResource(ModuleHandle module, std::uint32_t id) {
  const std::uint8_t* data = nullptr;
  std::size_t size = 0;
  if (!Service<ModuleResources>().Find(module, kResourceTypeRcData, id, &data, &size)) {
    return kImageInvalid;
  }
  return LoadTiff(data, size);
}

std::uint32_t CMyDibSection2::LoadTiff(const std::uint8_t* data, std::size_t size) {
  // A picture that cannot be read leaves no stale one behind.
  Free();
  TiffFields fields;
  if (!ReadTiffFields(data, size, &fields) || fields.compression != 1) return kImageInvalid;
  const std::uint32_t depth = fields.bits_per_pixel;
  if (fields.width == 0 || fields.height == 0 || fields.width > INT32_MAX ||
      fields.height > INT32_MAX || !SupportedDepth(static_cast<int>(std::min(depth, 64u)))) {
    return kImageInvalid;
  }
  // The samples must fill the pixels they are copied into.
  if ((fields.samples_per_pixel == 3 && depth != 24) ||
      (fields.samples_per_pixel == 4 && depth != 32)) {
    return kImageInvalid;
  }
  // Rows in the strip are packed; all of them must lie inside the bytes.
  const std::uint64_t row_bytes = (std::uint64_t{fields.width} * depth + 7) / 8;
  if (row_bytes > size || fields.strip_offset > size ||
      (size - fields.strip_offset) / row_bytes < fields.height) {
    return kImageInvalid;
  }
  const int dpi = fields.x_resolution == 0
                      ? 96
                      : static_cast<int>(std::min<std::uint32_t>(fields.x_resolution, INT32_MAX));
  const std::uint32_t created =
      Create(static_cast<int>(fields.width), static_cast<int>(fields.height),
             static_cast<int>(depth), dpi);
  if (created != kImageOk) return created;

  const std::uint8_t* strip = data + fields.strip_offset;
  const int w = width();
  for (int y = 0; y < height(); ++y) {
    const std::uint8_t* source = strip + row_bytes * static_cast<std::uint64_t>(y);
    std::uint8_t* row = RowPointer(y);
    if (fields.samples_per_pixel == 3) {
      for (int x = 0; x < w; ++x, source += 3, row += 3) {
        row[0] = source[2];
        row[1] = source[1];
        row[2] = source[0];
      }
    } else if (fields.samples_per_pixel == 4) {
      // Premultiplied red, green, blue, alpha to straight blue, green, red,
      // alpha. A colour above its alpha cannot be premultiplied; it is held
      // at full strength rather than wrapped.
      for (int x = 0; x < w; ++x, source += 4, row += 4) {
        const std::uint8_t alpha = source[3];
        if (alpha == 0) {
          std::memset(row, 0, 4);
          continue;
        }
        for (int c = 0; c < 3; ++c) {
          const unsigned sample = source[2 - c];
          row[c] = alpha == 255 ? static_cast<std::uint8_t>(sample)
                                : static_cast<std::uint8_t>(std::min(255u, sample * 255 / alpha));
        }
        row[3] = alpha;
      }
    }
  }
  return kImageOk;
}

std::uint32_t CMyDibSection2::ApplyDensity(int percent) {
  if (empty()) return kImageEmpty;
  const int bits = bits_per_pixel();
  if (bits == 1) return kImageOk;
  if (bits != 8 && bits != 24) return kImageInvalid;
  // The row padding is not part of the picture and stays as it is.
  const std::size_t bytes = static_cast<std::size_t>(width()) * (bits / 8);
  std::uint8_t table[256];
  for (int v = 0; v < 256; ++v) table[v] = DensityByte(static_cast<std::uint8_t>(v), percent);
  for (int y = 0; y < height(); ++y) {
    std::uint8_t* row = RowPointer(y);
    for (std::size_t i = 0; i < bytes; ++i) row[i] = table[row[i]];
  }
  return kImageOk;
}

BitmapHandle CMyDibSection2::CreateSection() const {
  if (empty()) return nullptr;
  return Service<ImageDevice>().CreateSection(View());
}

std::uint32_t CMyDibSection::LoadBitmapResource(ModuleHandle module, std::uint32_t id) {
  BitmapPixels bitmap;
  if (!Service<ModuleResources>().LoadBitmapPixels(module, id, &bitmap)) return kImageInvalid;
  const std::size_t source_stride = DibStride(bitmap.width, 24);
  if (bitmap.width <= 0 || bitmap.height <= 0 ||
      bitmap.rows.size() / source_stride < static_cast<std::size_t>(bitmap.height)) {
    return kImageInvalid;
  }
  if (empty()) {
    const std::uint32_t created = Create(bitmap.width, bitmap.height);
    if (created != kImageOk) return created;
  }
  const int rows = std::min(height(), bitmap.height);
  const std::size_t bytes = static_cast<std::size_t>(std::min(width(), bitmap.width)) * 3;
  for (int y = 0; y < rows; ++y) {
    const std::uint8_t* source =
        bitmap.rows.data() + source_stride * static_cast<std::size_t>(bitmap.height - y - 1);
    std::memcpy(RowPointer(y), source, bytes);
  }
  return kImageOk;
}

}  // namespace kvt
