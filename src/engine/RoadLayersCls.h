#pragma once

#include "RoadLayerCls.h"

#include <memory>
#include <vector>

// Owning, ordered list of layers; index 0 is the newly laid top layer.
class TRoadLayersCls {
public:
    void Add(std::unique_ptr<TRoadLayerCls> layer);
    void Clear() { FItems.clear(); }
    TRoadLayerCls& Items(int index);
    const TRoadLayerCls& Items(int index) const;
    int Count() const { return static_cast<int>(FItems.size()); }
    // Sum of the layers' thicknesses in cm; 0 for an empty list.
    double TotalThickness() const;

private:
    std::vector<std::unique_ptr<TRoadLayerCls>> FItems;
};
