#include "maps/TKTileAnswer.h"

bool TKTileIsFresh(std::chrono::system_clock::time_point fetchedAt, std::chrono::system_clock::time_point now)
{
    return fetchedAt <= now && now - fetchedAt < kTileRefetchAfter;
}

TKTileAnswer TKChooseTileAnswer(TKTileSourceKind source, const TKTileAvailability &availability)
{
    switch (source) {
    case TKTileSourceKind::MBTilesFile:
        return availability.inMBTiles ? TKTileAnswer::ServeMBTiles : TKTileAnswer::NotFound;
    case TKTileSourceKind::KeptOnly:
        return availability.kept ? TKTileAnswer::ServeKept : TKTileAnswer::NotFound;
    case TKTileSourceKind::Online:
        if (!availability.kept)
            return TKTileAnswer::Fetch;
        return availability.keptIsFresh ? TKTileAnswer::ServeKept : TKTileAnswer::FetchOrServeKept;
    }
    return TKTileAnswer::NotFound;
}
