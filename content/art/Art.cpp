#include "content/Modules.h"

void AddArtImages(TManifest& Manifest) {
    (void)Manifest;
}
