// Points the gateway server stand-in of this process at the analyzer simulator's gateway
// side, for BUS tests that reach the simulated devices through gateway lines.
#pragma once
#include <string>

namespace vasksim {

// "127.0.0.1:port" of the simulator's gateway side: VASK_SIM_GATEWAY_PORT, else the number
// in the file named by VASK_SIM_GATEWAY_PORTFILE (a Unix path is read through drive Z:).
// Empty with `error` set when neither works.
std::string GatewayEndpointFromEnvironment(std::string* error = nullptr);

// Sets VGWCE_ENDPOINT in this process's environment, which the stand-in reads at each
// new connection.  False with `error` set when the endpoint is not known.
bool UseSimulatorGateway(std::string* error = nullptr);

}  // namespace vasksim
