#pragma once

// The names of the static tables in the static folder: the model's geometry,
// grids and factors, the same for every year. The run reads them by these
// names and the year report names them.
namespace tessadro {

inline constexpr const char* run_parameters_file = "tessadro.par";
inline constexpr const char* activity_grid_file = "02.ibound";
inline constexpr const char* county_grid_file = "cty.flg";
inline constexpr const char* monthly_factors_file = "monthlyfactorsbycounty.txt";
inline constexpr const char* exchange_pdivs_file = "queltapdivs.txt";  // the exchange area's wells
inline constexpr const char* tract_points_file = "40coords.dat";

}  // namespace tessadro
