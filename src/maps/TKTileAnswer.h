#pragma once

#include <chrono>

// Where a map tile comes from, decided from what is at hand. Plain logic, so
// the web view's request handler only carries the decision out.
enum class TKTileSourceKind {
    Online,      // fetch what is missing or old, keep every tile fetched
    KeptOnly,    // only tiles kept earlier; never the network
    MBTilesFile  // only the user's MBTiles file; never the network
};

enum class TKTileAnswer {
    ServeKept,        // the kept tile is fresh enough
    FetchOrServeKept, // the kept tile is old: fetch anew, the old one if that fails
    Fetch,            // nothing kept: fetch, not found if that fails
    ServeMBTiles,
    NotFound          // the page draws its neutral grid there
};

// A kept tile is fetched again at most once in this time, as the tile servers ask.
inline constexpr std::chrono::hours kTileRefetchAfter{24 * 7};

// Fresh when fetched less than kTileRefetchAfter ago; a fetch date in the
// future (a clock set back) counts as old, so it is put right by one fetch.
bool TKTileIsFresh(std::chrono::system_clock::time_point fetchedAt, std::chrono::system_clock::time_point now);

struct TKTileAvailability {
    bool kept = false;
    bool keptIsFresh = false;
    bool inMBTiles = false;
};

TKTileAnswer TKChooseTileAnswer(TKTileSourceKind source, const TKTileAvailability &availability);
