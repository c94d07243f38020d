#pragma once
// Makes the containers compiled into the executable visible to the scripture-data layer.

namespace orvane {

// Registers the embedded containers as the data layer's resource provider. Call once at start,
// before anything reads a container.
void RegisterEmbeddedResources();

} // namespace orvane
