#!/usr/bin/env bash
# The UI layer is the bottom of the plugin's own code: it includes none of the layers that
# are built on it, so that either side can change without the other.
set -euo pipefail
cd "$1"
bad=$(grep -HnE '^#include "(hook|engine|config|settings|popup|plugin)/' ui/*.h ui/*.cpp || true)
if [ -n "$bad" ]; then
  echo "FAIL: ui/ includes a layer above it:" >&2
  echo "$bad" >&2
  exit 1
fi
echo "ui/ includes only ui/ and the system's headers"
