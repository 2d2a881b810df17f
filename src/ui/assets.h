#pragma once
// The pictures are compiled into the UI library as Qt resources under ":/assets/". A static
// library's resources must be registered once before the first picture is loaded.
void EnsureAssets();
