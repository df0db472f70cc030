// Outline text fonts against FreeType used directly: caching a size, glyph
// lookups, text widths, fills, and the memory of one cached size.
#include <benchmark/benchmark.h>

#include <ft2build.h>
#include <freetype/freetype.h>
#include <freetype/ftcache.h>

#include <malloc.h>

#include <memory>
#include <string>

#include "fsp_FSTextFont.h"

namespace {

char const * const sansPath = "/usr/share/fonts/truetype/dejavu/DejaVuSans.ttf";
cow_String const line80("The quick brown fox jumps over the lazy dog; 0123456789 pack my box with jugs!?");

std::unique_ptr<fsp_FSTextFont> Sans()
{
    auto font = std::make_unique<fsp_FSTextFont>();
    if (!font->LoadFont(sansPath))
        std::abort();
    return font;
}

// Every code of the font, rendered into its own bitmaps.
void BM_CacheSize_DejaVuSans12pt96dpi(benchmark::State & state)
{
    auto font = Sans();
    for (auto _ : state) {
        benchmark::DoNotOptimize(font->CacheSize(12, 96, 96, false, false));
        font->ReleaseSize(12, 96, 96);
    }
}
BENCHMARK(BM_CacheSize_DejaVuSans12pt96dpi)->Unit(benchmark::kMicrosecond);

// The same codes loaded and rendered 1-bit by FreeType alone.
void BM_FreeTypeLoadAndRender_DejaVuSans12pt96dpi(benchmark::State & state)
{
    FT_Library library;
    FT_Face face;
    if (FT_Init_FreeType(&library) != 0 || FT_New_Face(library, sansPath, 0, &face) != 0)
        std::abort();
    FT_Set_Char_Size(face, 12 * 64, 0, 96, 96);
    for (auto _ : state) {
        for (FT_ULong c = 0; c < 256; ++c) {
            benchmark::DoNotOptimize(
                FT_Load_Glyph(face, FT_Get_Char_Index(face, c), FT_LOAD_TARGET_MONO | FT_LOAD_RENDER));
        }
    }
    FT_Done_Face(face);
    FT_Done_FreeType(library);
}
BENCHMARK(BM_FreeTypeLoadAndRender_DejaVuSans12pt96dpi)->Unit(benchmark::kMicrosecond);

void BM_GetGlyph_CachedSize(benchmark::State & state)
{
    auto font = Sans();
    font->CacheSize(12, 96, 96, false, false);
    unsigned char c = 32;
    for (auto _ : state) {
        benchmark::DoNotOptimize(&font->GetGlyph(12, 96, 96, c));
        c = c == 126 ? 32 : static_cast<unsigned char>(c + 1);
    }
}
BENCHMARK(BM_GetGlyph_CachedSize);

FT_Error Requester(FTC_FaceID, FT_Library library, FT_Pointer, FT_Face * face)
{
    return FT_New_Face(library, sansPath, 0, face);
}

// FreeType's cache: character map lookup and small-bitmap lookup per glyph.
// The warmed nodes are held so that every lookup is a hit: unheld, this
// FreeType flushes them here and each lookup renders the glyph again.
void BM_FreeTypeCache_CMapAndSBitLookup(benchmark::State & state)
{
    FT_Library library;
    FTC_Manager manager;
    FTC_CMapCache cmaps;
    FTC_SBitCache sbits;
    if (FT_Init_FreeType(&library) != 0 || FTC_Manager_New(library, 0, 0, 0, Requester, nullptr, &manager) != 0 ||
        FTC_CMapCache_New(manager, &cmaps) != 0 || FTC_SBitCache_New(manager, &sbits) != 0)
        std::abort();
    FTC_FaceID const id = const_cast<char *>(sansPath);
    FTC_ImageTypeRec type{id, 16, 16, FT_LOAD_TARGET_MONO | FT_LOAD_RENDER};
    FTC_Node held[127] = {};
    for (FT_UInt32 c = 32; c <= 126; ++c) {
        FTC_SBit sbit;
        FTC_SBitCache_Lookup(sbits, &type, FTC_CMapCache_Lookup(cmaps, id, -1, c), &sbit, &held[c]);
    }
    FT_UInt32 c = 32;
    for (auto _ : state) {
        FTC_SBit sbit;
        FTC_SBitCache_Lookup(sbits, &type, FTC_CMapCache_Lookup(cmaps, id, -1, c), &sbit, nullptr);
        benchmark::DoNotOptimize(sbit);
        c = c == 126 ? 32 : c + 1;
    }
    for (FTC_Node node : held) {
        if (node)
            FTC_Node_Unref(node, manager);
    }
    FTC_Manager_Done(manager);
    FT_Done_FreeType(library);
}
BENCHMARK(BM_FreeTypeCache_CMapAndSBitLookup);

void BM_GetWidth_80Characters(benchmark::State & state)
{
    auto font = Sans();
    bool const cached = state.range(0) != 0;
    if (cached)
        font->CacheSize(12, 96, 96, false, false);
    for (auto _ : state)
        benchmark::DoNotOptimize(font->GetWidth(12, 96, 96, line80));
    state.SetLabel(cached ? "cached size" : "size not cached");
}
BENCHMARK(BM_GetWidth_80Characters)->Arg(1)->Arg(0);

void FillPrintable(fsp_FSTextFont & font, float dpi)
{
    for (int c = 33; c < 127; ++c) {
        unsigned count = 0;
        float * triangles = nullptr;
        benchmark::DoNotOptimize(font.GetFill(dpi, dpi, static_cast<unsigned char>(c), count, &triangles));
        benchmark::DoNotOptimize(triangles);
    }
}

// The first fill of each glyph, kept with it (96 dpi).
void BM_GetFill_Printable_Cold(benchmark::State & state)
{
    for (auto _ : state) {
        state.PauseTiming();
        auto font = Sans();
        font->CacheSize(12, 96, 96, false, true);
        state.ResumeTiming();
        FillPrintable(*font, 96);
        state.PauseTiming();
        font.reset();
        state.ResumeTiming();
    }
}
BENCHMARK(BM_GetFill_Printable_Cold)->Unit(benchmark::kMicrosecond);

void BM_GetFill_Printable_Warm(benchmark::State & state)
{
    auto font = Sans();
    font->CacheSize(12, 96, 96, false, true);
    FillPrintable(*font, 96);
    for (auto _ : state)
        FillPrintable(*font, 96);
}
BENCHMARK(BM_GetFill_Printable_Warm)->Unit(benchmark::kMicrosecond);

// Too large to keep (300 dpi): every fill is tessellated again.
void BM_GetFill_Printable_Uncached300dpi(benchmark::State & state)
{
    auto font = Sans();
    font->CacheSize(12, 300, 300, false, true);
    for (auto _ : state)
        FillPrintable(*font, 300);
}
BENCHMARK(BM_GetFill_Printable_Uncached300dpi)->Unit(benchmark::kMicrosecond);

// Heap that one cached size holds, with images (96 dpi) and without (300 dpi).
void BM_MemoryOfOneCachedSize(benchmark::State & state)
{
    auto font = Sans();
    float const dpi = static_cast<float>(state.range(0));
    font->CacheSize(12, dpi, dpi, false, false);  // FreeType's own allocations for the size
    font->ReleaseSize(12, dpi, dpi);
    double bytes = 0.0;
    for (auto _ : state) {
        std::size_t const before = mallinfo2().uordblks;
        font->CacheSize(12, dpi, dpi, false, false);
        bytes = static_cast<double>(mallinfo2().uordblks - before);
        font->ReleaseSize(12, dpi, dpi);
    }
    state.counters["bytes"] = bytes;
}
BENCHMARK(BM_MemoryOfOneCachedSize)->Arg(96)->Arg(300)->Unit(benchmark::kMicrosecond);

}  // namespace

BENCHMARK_MAIN();
