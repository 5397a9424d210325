#include "content/Modules.h"
#include "content/art/ArtModules.h"

void AddArtImages(TManifest& Manifest) {
    AddPieceImages(Manifest);
    AddBonusImages(Manifest);
    AddTileImages(Manifest);
    AddTargetImages(Manifest);
}
