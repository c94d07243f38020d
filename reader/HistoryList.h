#pragma once
// Placeholder until the navigation history lands.
namespace orvane {
class THistoryList {};
} // namespace orvane
