-- The load of the deployment test: what running programs ask for, each reply checked against
-- the body it must have. CHECK_DIR holds the expected catalogue bodies (one file per path, "/"
-- replaced by "_") and tokens.txt, lines of "token userId".
local dir = os.getenv("CHECK_DIR")
local function read(name)
  local f = assert(io.open(dir .. "/" .. name, "rb"))
  local text = f:read("*a")
  f:close()
  return text
end

local requests = {}
for _, path in ipairs({"/api/dll/files/common?channelNum=cluster", "/api/dll/files/runtime",
                       "/api/dll/files/dx", "/api/dll/files/system"}) do
  table.insert(requests, {path = path, headers = {}, body = read(path:gsub("[/?=]", "_"))})
end
for line in read("tokens.txt"):gmatch("[^\n]+") do
  local token, id = line:match("(%x+) (%d+)")
  table.insert(requests, {path = "/api/dll/user/getUserInfoByToken", headers = {token = token},
                          body = '{"code":"200","data":{"userId":' .. id .. ',"userToken":"' .. token .. '"},"msg":"success"}'})
end

local threads = {}
function setup(thread) table.insert(threads, thread) end

-- Globals, not locals: done() reads them from each thread with thread:get.
i, current, wrong, failed = 0, nil, 0, 0
function request()
  i = i % #requests + 1
  current = requests[i]
  return wrk.format("GET", current.path, current.headers)
end

-- wrk keeps requests on a connection in order, so the reply belongs to the last request made.
first_problem = ""
function response(status, headers, body)
  local problem = nil
  if status ~= 200 then
    failed = failed + 1
    problem = "status " .. status
  elseif body ~= current.body then
    wrong = wrong + 1
    problem = "body " .. body:sub(1, 160)
  end
  if problem and first_problem == "" then first_problem = current.path .. ": " .. problem end
end

function done(summary)
  local w, f = 0, 0
  for _, t in ipairs(threads) do
    w = w + t:get("wrong")
    f = f + t:get("failed")
    if t:get("first_problem") ~= "" then io.write("first problem: " .. t:get("first_problem") .. "\n") end
  end
  io.write(string.format("check: %d requests, %d wrong bodies, %d not 200\n", summary.requests, w, f))
end
