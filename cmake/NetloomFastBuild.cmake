# A build from scratch (CI, a first ./scripts/run.sh) runs on two cores, and most of its time
# went into parsing the same large headers again for every file. netloom_fast_build(TARGET
# PCH_GROUP GROUP) gives a target two remedies:
# - a unity build: its sources are compiled a few at a time in one translation unit, so the
#   headers they share are parsed, and their inline functions compiled, once per batch;
# - precompiled headers: the standard library and the large third-party headers it uses (Qt,
#   GoogleTest, nlohmann-json) are parsed once and loaded by each batch.
# Names at file scope in one source must therefore not collide with another's of the same target
# (anonymous namespaces included); give such helpers a name of their own. Configure with
# -DNETLOOM_UNITY_BUILD=OFF -DNETLOOM_PRECOMPILED_HEADERS=OFF to compile file by file, e.g. to
# check that each file includes what it uses.
option(NETLOOM_UNITY_BUILD "Compile each target's sources in batches" ON)
option(NETLOOM_PRECOMPILED_HEADERS "Precompile the standard and third-party headers" ON)
# Small batches keep both cores busy and an edit's rebuild short.
set(NETLOOM_UNITY_BATCH 6 CACHE STRING "Sources per unity batch")

# The headers each group precompiles. The group's first target builds them, the others load its
# build: their compile options must match (the Qt targets are position-independent, so they form
# groups of their own), and a macro the first target defines must be defined alike in all of them,
# so the first one defines none of its own.
set(std <algorithm> <array> <atomic> <chrono> <condition_variable> <cstdint> <cstdio> <cstdlib>
  <cstring> <deque> <filesystem> <fstream> <functional> <map> <memory> <mutex> <optional> <set>
  <span> <sstream> <string> <string_view> <thread> <utility> <vector> <nlohmann/json.hpp>)
set(netloom_pch_core ${std})
set(netloom_pch_tests ${std} <gtest/gtest.h> <gmock/gmock.h>)
set(netloom_pch_qt ${std} <QtWidgets/QtWidgets> <QtSvg/QtSvg>)
set(netloom_pch_qt_tests ${netloom_pch_qt} <QtTest/QtTest> <gtest/gtest.h> <gmock/gmock.h>)
unset(std)

# netloom_fast_build(TARGET PCH_GROUP core|tests|qt|qt_tests)
function(netloom_fast_build target)
  cmake_parse_arguments(arg "" "PCH_GROUP" "" ${ARGN})
  if(NETLOOM_UNITY_BUILD)
    set_target_properties(${target} PROPERTIES UNITY_BUILD ON
      UNITY_BUILD_BATCH_SIZE ${NETLOOM_UNITY_BATCH})
  endif()
  if(NOT NETLOOM_PRECOMPILED_HEADERS)
    return()
  endif()
  get_property(owner GLOBAL PROPERTY netloom_pch_owner_${arg_PCH_GROUP})
  if(owner)
    target_precompile_headers(${target} REUSE_FROM ${owner})
  else()
    target_precompile_headers(${target} PRIVATE ${netloom_pch_${arg_PCH_GROUP}})
    set_property(GLOBAL PROPERTY netloom_pch_owner_${arg_PCH_GROUP} ${target})
  endif()
endfunction()
