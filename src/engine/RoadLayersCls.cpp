#include "RoadLayersCls.h"

#include <stdexcept>

void TRoadLayersCls::Add(std::unique_ptr<TRoadLayerCls> layer)
{
    if (!layer)
        throw std::invalid_argument("TRoadLayersCls::Add: no layer");
    FItems.push_back(std::move(layer));
}

TRoadLayerCls& TRoadLayersCls::Items(int index)
{
    return *FItems.at(static_cast<std::size_t>(index));
}

const TRoadLayerCls& TRoadLayersCls::Items(int index) const
{
    return *FItems.at(static_cast<std::size_t>(index));
}

double TRoadLayersCls::TotalThickness() const
{
    double total = 0.0;
    for (const auto& layer : FItems)
        total += layer->ThicknessCm();
    return total;
}
