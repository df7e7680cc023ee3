# The packaging tool built for this machine, so that a Windows build can pack
# the product into setup.exe in the same run. One host build serves both
# Windows configurations of the checkout.
include(ExternalProject)
set(qv_host_dir ${CMAKE_SOURCE_DIR}/build/host-tools)
set(QV_HOST_PACK ${qv_host_dir}/tools/pack/qvpack)
ExternalProject_Add(qv_host_tools
  SOURCE_DIR ${CMAKE_SOURCE_DIR}
  BINARY_DIR ${qv_host_dir}
  CMAKE_ARGS -DQV_HOST_TOOLS_ONLY=ON -DCMAKE_BUILD_TYPE=Release
             -DCMAKE_C_COMPILER=cc -DCMAKE_CXX_COMPILER=c++
  BUILD_COMMAND ${CMAKE_COMMAND} --build ${qv_host_dir} --target qvpack
  BUILD_ALWAYS ON
  INSTALL_COMMAND ""
  BUILD_BYPRODUCTS ${QV_HOST_PACK})
