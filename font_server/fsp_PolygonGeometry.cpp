#include "fsp_PolygonGeometry.h"

namespace fsp_polygon FSP_POLYGON_INTERNAL {

// The determinant as twelve exact terms (each product split by a fused
// multiply-add into its rounded value and its error), summed into a
// non-overlapping expansion whose largest component carries the sign.
int ExactOrientSign(double au, double av, double bu, double bv, double cu, double cv)
{
    double const factors[6][2] = {{au, bv}, {-au, cv}, {bu, cv}, {-bu, av}, {cu, av}, {-cu, bv}};
    double expansion[12];
    int size = 0;
    auto add = [&](double term) {
        int kept = 0;
        for (int i = 0; i < size; ++i) {
            double const sum = term + expansion[i];
            double const virtualTerm = sum - expansion[i];
            double const error = (expansion[i] - (sum - virtualTerm)) + (term - virtualTerm);
            term = sum;
            if (error != 0.0)
                expansion[kept++] = error;
        }
        if (term != 0.0 || kept == 0)
            expansion[kept++] = term;
        size = kept;
    };
    for (auto const & factor : factors) {
        double const product = factor[0] * factor[1];
        add(std::fma(factor[0], factor[1], -product));
        add(product);
    }
    double const largest = expansion[size - 1];
    return largest > 0.0 ? 1 : largest < 0.0 ? -1 : 0;
}

}  // namespace fsp_polygon
