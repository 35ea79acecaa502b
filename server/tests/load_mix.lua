-- Cycles through what a running program asks for, and counts replies whose envelope is not
-- success even when the HTTP status is.
local token = os.getenv("LOAD_TOKEN") or ""
local paths = {
  {"/api/dll/files/common?channelNum=load_test", {}},
  {"/api/dll/files/runtime", {}},
  {"/api/dll/files/dx", {}},
  {"/api/dll/files/system", {}},
  {"/api/dll/user/getUserInfoByToken", {["token"] = token}},
  {"/files/images/101.png", {}},
}
-- Globals, not locals: response() runs in each thread's own Lua state, and done() adds the
-- threads' counts up with thread:get.
i = 0
bad = 0
local threads = {}
setup = function(thread) table.insert(threads, thread) end

request = function()
  i = i % #paths + 1
  return wrk.format("GET", paths[i][1], paths[i][2])
end

response = function(status, headers, body)
  if status ~= 200 then bad = bad + 1 return end
  if body:sub(1, 1) == "{" and not body:find('"code":"200"', 1, true) then bad = bad + 1 end
end

done = function(summary, latency, requests)
  local total = 0
  for _, t in ipairs(threads) do total = total + t:get("bad") end
  io.write(string.format("load: %d requests, %d bad envelopes\n", summary.requests, total))
end
